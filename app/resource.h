#pragma once
// Resource identifiers, shared by huoxing.rc and the code.

#define IDI_HUOXING 1
