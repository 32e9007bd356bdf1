// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes, the INI text and the five files of Save selection.
#include "formats/selection_export.h"

#include "formats/ini_text.h"
#include "formats/picture_file.h"
#include "formats/picture_formats.h"
#include "formats/zx_screen.h"
#include "picture/colour.h"

namespace {

const QString kSection = QStringLiteral("tileSmithSelection");

} // namespace

SelectionFileNames SelectionFiles(const QString& chosenName) {
    const QString base = chosenName.chopped(FileExtension(chosenName).size());
    SelectionFileNames names;
    names.Ini = base + QStringLiteral("_selection.ini");
    for (int s = 0; s < 2; ++s) {
        names.Pix[s] = base + QStringLiteral("_pix_%1.bin").arg(s);
        names.Attr[s] = base + QStringLiteral("_attr_%1.bin").arg(s);
    }
    return names;
}

bool IsRectInPicture(const CellRect& rect, int charHeight) {
    return IsValidCharHeight(charHeight) && !rect.IsEmpty() && rect.x >= 0 && rect.y >= 0 &&
           rect.x + rect.w <= kByteColumns && rect.y + rect.h <= CellRowCount(charHeight);
}

SelectionData SelectionBytes(const MgsImage& picture, const CellRect& rect, SelectionPixMode mode) {
    SelectionData data;
    if (!IsRectInPicture(rect, picture.CharHeight))
        return data;
    const int ch = picture.CharHeight;
    for (int s = 0; s < 2; ++s) {
        data.Pix[s].reserve(rect.w * rect.h * ch);
        data.Attr[s].reserve(rect.w * rect.h);
    }
    for (int line = rect.y * ch; line < (rect.y + rect.h) * ch; ++line) {
        const int row = mode == SelectionPixMode::AsScreen ? ZxLineRow(line) : line;
        for (int c = rect.x; c < rect.x + rect.w; ++c) {
            for (int s = 0; s < 2; ++s)
                data.Pix[s].append(static_cast<char>(picture.PixelPlane[s][PlaneIndex(c, row)]));
        }
    }
    for (int cellRow = rect.y; cellRow < rect.y + rect.h; ++cellRow) {
        for (int c = rect.x; c < rect.x + rect.w; ++c) {
            for (int s = 0; s < 2; ++s) {
                // The attribute the cell shows: in the 8x1 side columns, its 8-row cell's.
                const AttrCell cell =
                    picture.AttrPlane[s][PlaneIndex(c, EffectiveAttrRow(ch, cellRow * ch, c))];
                data.Attr[s].append(static_cast<char>(SpectrumAttr(cell)));
            }
        }
    }
    return data;
}

QByteArray SelectionIniBytes(const QByteArray& existing, const CellRect& rect, int charHeight,
                             SelectionPixMode mode) {
    const bool asScreen = mode == SelectionPixMode::AsScreen;
    const IniKeys keys = {
        {QStringLiteral("x"), QString::number(rect.x)},
        {QStringLiteral("y"), QString::number(rect.y)},
        {QStringLiteral("width"), QString::number(rect.w)},
        {QStringLiteral("height"), QString::number(rect.h)},
        {QStringLiteral("MGS_VertSize"), QString::number(charHeight)},
        {QStringLiteral("pixMode"), QString::number(asScreen ? 1 : 0)},
        {QStringLiteral("pixModeString"),
         asScreen ? QStringLiteral("as screen") : QStringLiteral("linear")},
    };

    return UpdateIniSection(existing, kSection, keys);
}

QString SaveSelection(const MgsImage& picture, const CellRect& rect, SelectionPixMode mode,
                      const QString& chosenName) {
    const SelectionFileNames names = SelectionFiles(chosenName);
    if (!IsPictureValid(picture)) {
        return QStringLiteral("Cannot write %1: the picture holds values outside the model")
            .arg(names.Ini);
    }
    if (!IsRectInPicture(rect, picture.CharHeight)) {
        return QStringLiteral("Cannot write %1: the selection (%2, %3, %4 x %5) does not lie "
                              "inside the picture")
            .arg(names.Ini, QString::number(rect.x), QString::number(rect.y),
                 QString::number(rect.w), QString::number(rect.h));
    }

    const FileBytes ini = ReadRegularFile(names.Ini, kMaxIniFileSize);
    if (ini.Found && !ini.Error.isEmpty())
        return ini.Error;
    if (ini.Size > kMaxIniFileSize) {
        return QStringLiteral("Cannot read %1: larger than %2 KiB")
            .arg(names.Ini, QString::number(kMaxIniFileSize / 1024));
    }
    const SelectionData data = SelectionBytes(picture, rect, mode);
    const FileWrite files[] = {
        {names.Ini, SelectionIniBytes(ini.Bytes, rect, picture.CharHeight, mode)},
        {names.Pix[0], data.Pix[0]},
        {names.Pix[1], data.Pix[1]},
        {names.Attr[0], data.Attr[0]},
        {names.Attr[1], data.Attr[1]},
    };
    return WriteFilesAtomically(files);
}
