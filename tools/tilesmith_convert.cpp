// SPDX-License-Identifier: GPL-3.0-or-later
// tilesmith-convert: converts picture files between the formats of the format table, and
// tells what a file holds. Uses the same readers and writers as the editor.
#include "convert_options.h"

#include "display/renderer.h"
#include "formats/flicker_export.h"
#include "formats/picture_file.h"
#include "formats/picture_formats.h"
#include "formats/picture_import.h"
#include "formats/png_export.h"
#include "formats/selection_export.h"
#include "formats/thumbnail.h"
#include "formats/zx_program.h"
#include "picture/cell_layout.h"
#include "picture/mgs_image.h"
#include "program_info.h"

#include <cstdio>

namespace {

constexpr int kExitFileError = 1;
constexpr int kExitUsage = 2;

void Print(std::FILE* stream, const QString& text) {
    // File names in messages appear with the bytes they have on disk.
    std::fputs(EncodeFileName(text).constData(), stream);
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

ConversionOptions ImageConversion(const ConvertOptions& options) {
    ConversionOptions conversion;
    conversion.CharHeight = options.CharHeight.value_or(8);
    conversion.Dither = options.Dither.value_or(DitherMode::None);
    conversion.OneScreen = options.OneScreen;
    conversion.LowFlicker = options.LowFlicker;
    return conversion;
}

int ImageInfo(const QString& path, const ConvertOptions& options) {
    const SourceImage source = ReadSourceImage(path);
    if (!source.Error.isEmpty())
        return Fail(kExitFileError, source.Error);
    const PlacedImage placed = PlaceImage(source.Image, options.Fit.value_or(Placement::Fit));
    Print(stdout, QStringLiteral("file: %1\nformat: image %2 x %3\nplacement: %4\n")
                      .arg(path)
                      .arg(source.Image.width())
                      .arg(source.Image.height())
                      .arg(placed.How));
    return 0;
}

int Info(const QString& path, const ConvertOptions& options) {
    if (IsImageImportPath(path))
        return ImageInfo(path, options);
    if (options.Fit)
        return Fail(kExitUsage, QStringLiteral("--fit is used with an image INPUT"));
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

int ListPng() {
    for (size_t i = 0; i < PngOptions.size(); ++i) {
        const PngOption& option = PngOptions[i];
        Print(stdout, QStringLiteral("%1  %2\n")
                          .arg(QString::number(i + 1).rightJustified(2),
                               QString::fromLatin1(option.Caption.data(),
                                                   static_cast<qsizetype>(option.Caption.size()))));
    }
    return 0;
}

// The PNG export and Save selection of the editor, on the converted picture.
int WriteExport(const ConvertOptions& options, const MgsImage& picture, const QString& output) {
    if (options.Gif) {
        const QString error =
            ExportFlickerGif(picture, PngOptions[static_cast<size_t>(*options.Gif - 1)], output);
        return error.isEmpty() ? 0 : Fail(kExitFileError, error);
    }
    if (options.Png && options.Screen) {
        const QString error = ExportScreenPng(
            picture, *options.Screen, PngOptions[static_cast<size_t>(*options.Png - 1)], output);
        return error.isEmpty() ? 0 : Fail(kExitFileError, error);
    }
    if (options.Png) {
        RenderImages images = RenderImages::Create();
        RenderPicture(picture, images);
        const PngOption& option = PngOptions[static_cast<size_t>(*options.Png - 1)];
        const QString error =
            ExportPng(images.MixedImage, PngBorderColour(picture), option, output);
        return error.isEmpty() ? 0 : Fail(kExitFileError, error);
    }
    const CellRect& rect = *options.Selection;
    // Cell rows depend on the char height, known only now that INPUT is read.
    if (!IsRectInPicture(rect, picture.CharHeight)) {
        return Fail(kExitUsage,
                    QStringLiteral("--selection %1,%2,%3,%4 does not lie inside the picture: "
                                   "at char height %5 it has 32 columns and %6 cell rows")
                        .arg(QString::number(rect.x), QString::number(rect.y),
                             QString::number(rect.w), QString::number(rect.h),
                             QString::number(picture.CharHeight),
                             QString::number(CellRowCount(picture.CharHeight))));
    }
    const QString error = SaveSelection(picture, rect, *options.PixMode, output);
    return error.isEmpty() ? 0 : Fail(kExitFileError, error);
}

int Convert(const ConvertOptions& options) {
    const QString& input = options.Files[0];
    const QString& output = options.Files[1];
    QString error;
    const bool image = IsImageImportPath(input);
    const PictureFormat* inFormat = image ? nullptr : InputFormat(input, error);
    if (!image && inFormat == nullptr)
        return Fail(kExitUsage, error);
    if (!image && options.ImageOptionGiven()) {
        return Fail(kExitUsage, QStringLiteral("--dither, --fit, --one-screen and --low-flicker "
                                               "are used with an image INPUT"));
    }
    const SpectrumProgramFormat* program =
        FindSpectrumProgramFormat(FileExtension(output).toLower());
    const bool exporting = options.Png || options.Gif || options.Selection || program != nullptr;
    // Everything about OUTPUT is checked before INPUT is read, so a wrong command writes
    // nothing.
    const PictureFormat* outFormat = FormatForPath(output);
    if (!exporting && (outFormat == nullptr || outFormat->Write == nullptr)) {
        return Fail(kExitUsage,
                    QStringLiteral("%1: cannot write \"%2\" files (see --help for the formats)")
                        .arg(output, FileExtension(output)));
    }
    MgsImage picture;
    if (image) {
        const ImageImport imported =
            ImportImageFile(input, options.Fit.value_or(Placement::Fit), ImageConversion(options));
        if (!imported.Picture)
            return Fail(kExitFileError, imported.Error);
        picture = *imported.Picture;
    } else {
        const LoadResult load = LoadPictureFile(input, *inFormat, MgsImage{});
        if (!load.Loaded())
            return Fail(kExitFileError, load.Error);
        picture = load.Picture;
    }
    if (options.CharHeight)
        ConvertCharHeight(picture, *options.CharHeight);
    if (options.Border)
        picture.BorderPair = *options.Border;
    if (program != nullptr && !options.Png && !options.Gif && !options.Selection) {
        error = SaveSpectrumProgram(output, *program, picture,
                                    options.Machine.value_or(SpectrumMachine::Spectrum128));
        return error.isEmpty() ? 0 : Fail(kExitFileError, error);
    }
    if (exporting)
        return WriteExport(options, picture, output);
    // A file of another char height holds the picture converted to it. Converting
    // silently is right only when nothing the user sees changes; otherwise --char-height
    // must ask for it.
    const int fileCharHeight = FileCharHeight(*outFormat);
    if (fileCharHeight != 0 && fileCharHeight != picture.CharHeight) {
        const int changed = ChangedCells(picture, fileCharHeight);
        if (changed > 0) {
            return Fail(kExitUsage,
                        QStringLiteral("%1: a %2 file holds 8x%3 cells, and converting this 8x%4 "
                                       "picture to them changes %5 cell(s); give "
                                       "--char-height %3 to convert it anyway")
                            .arg(output, FileExtension(output), QString::number(fileCharHeight),
                                 QString::number(picture.CharHeight), QString::number(changed)));
        }
    }
    error = SavePictureFile(output, *outFormat, picture);
    if (!error.isEmpty())
        return Fail(kExitFileError, error);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args.append(DecodeFileName(argv[i])); // names keep every byte, UTF-8 or not
    const ParsedArgs parsed = ParseConvertArgs(args);
    if (!parsed.Error.isEmpty())
        return Fail(kExitUsage, parsed.Error);
    switch (parsed.Options.Mode) {
    case ConvertMode::Help:
        Print(stdout, ConvertUsage());
        return 0;
    case ConvertMode::Info:
        return Info(parsed.Options.Files[0], parsed.Options);
    case ConvertMode::ListPng:
        return ListPng();
    case ConvertMode::Version:
        Print(stdout, VersionText(QStringLiteral("tilesmith-convert")));
        return 0;
    case ConvertMode::Thumbnail: {
        // A failure writes nothing, so the file manager shows its own icon instead.
        const QStringList& files = parsed.Options.Files;
        const QString error = WriteThumbnail(files[0], parsed.Options.ThumbnailSize, files[1]);
        return error.isEmpty() ? 0 : Fail(kExitFileError, error);
    }
    case ConvertMode::Convert:
        break;
    }
    return Convert(parsed.Options);
}
