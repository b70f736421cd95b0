#include "import_patch.h"

#include <cstring>

namespace huoxing::testing {

namespace {

template <class T>
T* at(BYTE* base, DWORD offset) {
    return reinterpret_cast<T*>(base + offset);
}

// Every import address slot of this program for dll!function (a DLL may
// have more than one import descriptor).
std::vector<void**> importSlots(const char* dll, const char* function) {
    std::vector<void**> slots;
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* headers = at<IMAGE_NT_HEADERS>(base, at<IMAGE_DOS_HEADER>(base, 0)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0) return slots;
    for (auto* module = at<IMAGE_IMPORT_DESCRIPTOR>(base, imports.VirtualAddress); module->Name; ++module) {
        // Without the name table the loader has overwritten the only list of names.
        if (lstrcmpiA(at<char>(base, module->Name), dll) != 0 || module->OriginalFirstThunk == 0) continue;
        auto* name = at<IMAGE_THUNK_DATA>(base, module->OriginalFirstThunk);
        auto* slot = at<IMAGE_THUNK_DATA>(base, module->FirstThunk);
        for (; name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
            auto* byName = at<IMAGE_IMPORT_BY_NAME>(base, static_cast<DWORD>(name->u1.AddressOfData));
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) == 0) {
                slots.push_back(reinterpret_cast<void**>(&slot->u1.Function));
            }
        }
    }
    return slots;
}

void writeSlot(void** slot, void* value) {
    DWORD protection;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
}

}  // namespace

ImportPatch::ImportPatch(const char* dll, const char* function, const void* replacement)
    : slots_(importSlots(dll, function)) {
    if (slots_.empty()) return;
    original_ = *slots_.front();
    for (void** slot : slots_) writeSlot(slot, const_cast<void*>(replacement));
}

ImportPatch::~ImportPatch() {
    for (void** slot : slots_) writeSlot(slot, original_);
}

}  // namespace huoxing::testing
