// Reads arbitrary bytes as an archive of strings, counts and numbers, and as
// a string table of documents: every outcome is a value or a CArchiveException.
#include <cstddef>
#include <cstdint>

#include "platform/afx/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > (1u << 20)) return 0;
    CMemFile file(data, UINT(size));
    CArchive ar(&file, CArchive::load);
    try {
        for (int step = 0; step < 64; ++step) {
            BYTE kind;
            ar >> kind;
            switch (kind % 4) {
                case 0: {
                    CString text;
                    ar >> text;
                    break;
                }
                case 1: {
                    // A count names how many strings follow; reading stops at the data's end.
                    const DWORD count = ar.ReadCount();
                    for (DWORD i = 0; i < count && i < 1024; ++i) {
                        CString text;
                        ar >> text;
                    }
                    break;
                }
                case 2: {
                    double value;
                    ar >> value;
                    break;
                }
                default: {
                    CString line;
                    ar.ReadString(line);
                    break;
                }
            }
        }
    } catch (CException* error) {
        error->Delete();
    }
    return 0;
}
