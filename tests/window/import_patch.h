#pragma once
// Points this program's own calls to one imported system function at a
// replacement while the patch lives. The code under test reaches the system
// through the import table, so a test can make a system call fail there
// without that code having a seam for it.

#include <windows.h>

#include <vector>

namespace huoxing::testing {

class ImportPatch {
public:
    // `dll` as the import table names it, case aside ("user32.dll").
    ImportPatch(const char* dll, const char* function, const void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool applied() const { return !slots_.empty(); }
    // What the calls reached before: the system's function.
    template <class Function>
    Function original() const {
        return reinterpret_cast<Function>(original_);
    }

private:
    std::vector<void**> slots_;
    void* original_ = nullptr;
};

}  // namespace huoxing::testing
