// tilesmith-convert: converts picture files between the formats of the format table, and
// tells what a file holds. Uses the same readers and writers as the editor.
#include "convert_options.h"

#include "formats/picture_file.h"
#include "formats/picture_formats.h"
#include "picture/mgs_image.h"

#include <cstdio>

namespace {

constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

void Print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

int Fail(int status, const QString& message) {
    Print(stderr, QStringLiteral("tilesmith-convert: %1\n").arg(message));
    if (status == kExitUsage)
        Print(stderr, QStringLiteral("Try 'tilesmith-convert --help'.\n"));
    return status;
}

// The reader for INPUT, chosen by its extension like a drop on the editor.
const PictureFormat* InputFormat(const QString& path, QString& error) {
    const PictureFormat* format = FormatForPath(path);
    if (format == nullptr)
        error = QStringLiteral("%1: unknown extension \"%2\" (see --help for the formats)")
                    .arg(path, FileExtension(path));
    return format;
}

int Info(const QString& path) {
    QString error;
    const PictureFormat* format = InputFormat(path, error);
    if (format == nullptr)
        return Fail(kExitUsage, error);
    const LoadResult load = LoadPictureFile(path, *format, MgsImage{});
    if (!load.Loaded())
        return Fail(kExitFileError, load.Error);
    const MgsImage& picture = load.Picture;
    QString formatText = QStringLiteral("%1 (%2").arg(ExtensionText(*format),
                                                      QString::fromLatin1(format->Description));
    if (*load.Read.Variant != '\0')
        formatText += QStringLiteral(", ") + QString::fromLatin1(load.Read.Variant);
    formatText += QLatin1Char(')');
    Print(
        stdout,
        QStringLiteral("file: %1\nformat: %2\nchar height: %3\nborder: %4,%5%6\n")
            .arg(path, formatText, QString::number(picture.CharHeight),
                 QString::number(picture.BorderPair[0]), QString::number(picture.BorderPair[1]),
                 load.Read.BorderRead ? QString() : QStringLiteral(" (not read from this file)")));
    return 0;
}

int Convert(const ConvertOptions& options) {
    const QString& input = options.Files[0];
    const QString& output = options.Files[1];
    QString error;
    const PictureFormat* inFormat = InputFormat(input, error);
    if (inFormat == nullptr)
        return Fail(kExitUsage, error);
    // Everything about OUTPUT is checked before INPUT is read, so a wrong command writes
    // nothing.
    const PictureFormat* outFormat = FormatForPath(output);
    if (outFormat == nullptr || outFormat->Write == nullptr) {
        return Fail(kExitUsage,
                    QStringLiteral("%1: cannot write \"%2\" files (see --help for the formats)")
                        .arg(output, FileExtension(output)));
    }
    const LoadResult load = LoadPictureFile(input, *inFormat, MgsImage{});
    if (!load.Loaded())
        return Fail(kExitFileError, load.Error);
    MgsImage picture = load.Picture;
    if (options.CharHeight)
        ConvertCharHeight(picture, *options.CharHeight);
    if (options.Border)
        picture.BorderPair = *options.Border;
    error = SavePictureFile(output, *outFormat, picture);
    if (!error.isEmpty())
        return Fail(kExitFileError, error);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    const ParsedArgs parsed = ParseConvertArgs(args);
    if (!parsed.Error.isEmpty())
        return Fail(kExitUsage, parsed.Error);
    switch (parsed.Options.Mode) {
    case ConvertMode::Help:
        Print(stdout, ConvertUsage());
        return 0;
    case ConvertMode::Info:
        return Info(parsed.Options.Files[0]);
    case ConvertMode::Convert:
        break;
    }
    return Convert(parsed.Options);
}
