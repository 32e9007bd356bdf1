// SPDX-License-Identifier: GPL-3.0-or-later
// The file layer as the editor uses it: any bytes in a file of any picture extension (or a
// recovery file) either load into a picture the model can hold with no error text, or fail
// with a text and leave the current picture exactly as it was.
#include "formats/file_io.h"
#include "formats/picture_file.h"
#include "formats/recovery_file.h"

#include <cstdint>
#include <cstdlib>
#include <span>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    // Every input is written to disk and synced: scripts/fuzz.sh points TMPDIR at a
    // memory file system when there is one.
    static const QByteArray folder = [] {
        QByteArray name = qgetenv("TMPDIR");
        name = (name.isEmpty() ? QByteArray("/tmp") : name) + "/fuzz_picture_file-XXXXXX";
        return QByteArray(::mkdtemp(name.data()));
    }();
    const std::span<const uint8_t> bytes(data + 1, size - 1);
    const size_t pick = data[0] % (PictureFormats.size() + 1);
    if (pick == PictureFormats.size()) {
        const std::optional<RecoveryData> recovery = ParseRecovery(bytes);
        if (recovery && !IsPictureValid(recovery->Picture))
            std::abort();
        return 0;
    }
    // The extension picks the reader, as a drop or the command line would.
    const QString path = DecodeFileName(folder + "/file") + ExtensionText(PictureFormats[pick]);
    if (!WriteFileBytes(path, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())))
             .isEmpty())
        std::abort();
    MgsImage current;
    current.BorderPair = {3, 5};
    const LoadResult load = OpenByName(path, current);
    if (load.Format != &PictureFormats[pick])
        std::abort();
    if (load.Loaded() ? !load.Error.isEmpty() || !IsPictureValid(load.Picture)
                      : load.Error.isEmpty() || load.Picture != current)
        std::abort();
    return 0;
}
