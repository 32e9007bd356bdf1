// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: owns every record of the editor and the renderer's images, runs the
// start-up sequence, and turns menu commands, toolbar keys, keys and timer ticks into calls
// on the core.
#pragma once

#include "colour/picture_import_window.h"
#include "display/hardware_view.h"
#include "editing/editor.h"
#include "formats/picture_file.h"
#include "shell/user_dialogs.h"
#include "shell/window_positions.h"

#include <QMainWindow>
#include <QRect>
#include <QStringList>

#include <map>
#include <memory>
#include <string_view>

class BorderPaletteWindow;
class ColourPalettes;
class CorrectorWindow;
class FloatingWindow;
class GradientPaletteView;
class PaletteMessageBus;
class PictureView;
class PreviewView;
class QFrame;
class QLabel;
class QMenu;
class QScrollArea;
class QTimer;
class RecoveryKeeper;
struct RecoveryData;
class StatusBar;
class TFreePanel;
class ToolKey;
class ZoomPreviewView;
enum class KeyCommand;
enum class Transform;
struct PictureMouseInput;
struct PictureMouseResult;
struct PointerInfo;
struct PngOption;

class MainWindow : public QMainWindow, public Editor {
    Q_OBJECT
public:
    // `arguments` are the command-line arguments after the program name.
    explicit MainWindow(const QStringList& arguments, QWidget* parent = nullptr);
    // With other dialogs from the start, so that tests answer even the start-up's own.
    MainWindow(const QStringList& arguments, std::unique_ptr<UserDialogs> dialogs,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    EditorState& State() override { return state_; }
    const RenderImages& Images() const override { return images_; }
    const LinePatterns& Patterns() const override { return patterns_; }
    void RefreshView(bool rerender) override;
    void RerenderImages() override;
    const QImage& ShownImage() const override;

    // The View menu: what the picture view and the Preview show, Flicker's 50 Hz frames,
    // and the screen drawing writes to.
    void SetViewMode(ViewMode mode);
    void SetDrawOn(DrawOn on);
    bool RecordEdit(const QString& name, const MgsImage& before) override;
    // The history entry of an edit whose undo copy was taken elsewhere (a stroke's).
    void NoteEdit(const QString& name, const MgsImage& before);
    void ClearHistory();
    // Edit > "History…": makes entry `index` the picture as one edit; the step keys.
    void JumpToHistory(int index);
    void StepHistory(int delta);
    void UpdateHistoryWindow();
    const QImage& ShownPreviewImage() const;
    // The exports at the PNG sizes: the mix, one screen, or the flicker as a GIF.
    enum class SizedExport { Mix, Screen0, Screen1, FlickerGif };
    void ShowSizedExportPanel(SizedExport kind);

    // Zoom and views.
    void SetZoom(int level);
    void CentreView();
    void CopyPreview();
    void TrackZoomSelector(QPoint previewPoint);
    void DrawZoomSelector();
    void ApplyZoomSelector();
    void UpdateZoomPreview() override;
    void ToggleCharGrid();
    // The status bar's coordinate labels and address line.
    void ShowPointerInfo(const PointerInfo& info);
    void TogglePixelGrid();

    // Drawing tools, the PIX and RGB switches, undo and the current colours.
    void SetInstrument(InstrumentKind instrument);
    void SetPaintSize(int size);
    void TogglePixMode();
    void ToggleRgbMode();
    void SwapUndo();

    // The Edit menu and its keys: the selection, the clipboard, Delete and the transforms
    // of the selected rectangle.
    void SelectAll();
    void RemoveSelection();
    void CopySelection();
    void Paste();
    void DeleteSelection();
    void CopySelectionAsPicture();
    void CopySelectionAsText(bool bothScreens);
    void TransformSelection(Transform transform);
    // Whether the widget under the screen pointer is the picture view or its panel.
    bool PointerOverPicture() const;
    // The keyboard joystick: the pointer by `delta` screen pixels, and a click of `button`
    // wherever the pointer is, delivered to the widget under it.
    void MovePointer(QPoint delta);
    void ClickAtPointer(Qt::MouseButton button);

    ColourPalettes* Palettes() const { return palettes_; }
    PaletteMessageBus* PaletteBus() const { return paletteBus_; }
    // A palette message from any running copy, this one included.
    void OnPaletteMessage(qint64 payload);

    // The "New" and "Change char size" menu items.
    void NewPicture(int charHeight);
    void ConvertCharHeight(int charHeight);

    // The colour tools: the corrector (menu " Color Corrector" > "Show/Hide", key X) and
    // the border palette's colour on the Preview window's frame.
    void ToggleCorrector();
    void SetBorderPreviewColour(Rgb colour);
    CorrectorWindow* Corrector() const { return corrector_; }
    GradientPaletteView* GradientPalette() const { return gradientPalette_; }

    // Floating windows.
    void TogglePictureMaximised();
    void ToggleAbout();
    void SaveWindowPositions();
    WindowPositions CurrentWindowPositions() const;
    // Places the picture window and the floating windows as start-up does.
    void ApplyWindowPositions(const WindowPositions& positions);

    // Files: the shared dialogs, loads and saves through the format table, exports, the
    // emulator preview, opening by name and by drop.
    void OpenMgs();
    bool SaveMgs(); // false when cancelled or failed
    void ImportPicture(std::string_view extension, const QString& filter);
    void ExportPicture(std::string_view extension, const QString& filter);
    void ExportSpectrumProgram(std::string_view extension, const QString& filter);
    void ExportPngFromPanel();     // Button4 of Panel_ExportToBmp
    void ShowSaveSelectionPanel(); // MenuSaveSelection
    void SaveSelectionFromPanel(); // Button19 of Panel_SaveSelection
    void PreviewOnZx();
    // By extension, without blocking the mouse; shows any error.
    LoadStatus OpenFileByName(const QString& path);
    // File > Import > "Import picture (PNG, JPEG, BMP, GIF)…", and drops of such files: the
    // import window for `path`; its Import replaces the picture like a load.
    void ImportImage();
    void OpenImportWindow(const QString& path);
    // A drop: in order; unknown extensions are skipped, a file error stops the rest.
    void OpenDroppedFiles(const QStringList& paths);
    bool HasUnsavedChanges() const { return state_.Picture != state_.SavedPicture; }
    // Before anything closes or replaces the picture: with unsaved changes, asks Save,
    // Discard or Cancel. False when the user cancels or the save fails or is cancelled;
    // the caller then stops and leaves everything as it was.
    bool ConfirmDiscardChanges();
    // The window title with the change mark: "*" after the file name, or before the
    // caption while there is no file name.
    void UpdateTitle();
    const FileDialogMemory& OpenDialog1() const { return openDialog1_; }
    // Crash recovery: this copy's keeper, and a picture restored from a copy that crashed,
    // which comes back as unsaved changes of its file.
    RecoveryKeeper* Recovery() const { return recovery_; }
    void RestoreRecovered(const RecoveryData& data);
    const FileDialogMemory& SaveDialog1() const { return saveDialog1_; }

    // The 250 ms tick.
    void OnTimer();
    void AnimateSelectionFrame();

    PictureView* View() const { return view_; }
    QScrollArea* ScrollBox() const { return scrollBox_; }
    TFreePanel* PictureWindow() const { return pictureWindow_; }
    FloatingWindow* Panel(const QString& name) const;
    QRect PictureRestoreRect() const { return pictureRestoreRect_; }
    QString SettingsPath() const;
    // Tests answer the dialogs themselves.
    void SetDialogs(std::unique_ptr<UserDialogs> dialogs);
    UserDialogs& Dialogs() const { return *dialogs_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The frame, title bar included, over the desktop's work area; tries again until the
    // window manager has framed the window, at most `retries` times.
    void PlaceOnWorkArea(int retries);
    void CreateWorkArea();
    void CreatePictureWindow();
    void CreateFloatingWindows();
    void CreateColourTools();
    void CreateToolbar();
    void CreateMenus();
    void AddFileMenuItems(QMenu* file);
    void CreateFilePanels();
    // A label, radio buttons and Ok/Cancel in a floating panel, widened if a caption
    // needs it.
    void LayOutChoicePanel(FloatingWindow* panel, const QList<QWidget*>& rows, QWidget* ok,
                           QWidget* cancel);
    QString ShowOpenDialog(const QString& filter);
    // The save dialog, then `extension` added, then a question if the final name exists.
    // Empty when cancelled.
    QString ShowSaveDialog(const QString& filter, QStringView extension);
    // One question about all of `paths` that exist; true when none does or the user agrees.
    bool ConfirmReplace(const QStringList& paths);
    // Both dialogs start next in the folder of a chosen file, in later runs too.
    void RememberDialogFolder(const QString& chosen);
    void ApplyLoad(const LoadResult& load, const QString& path);
    void ApplyImport(PictureImportWindow* window);
    void SetCurrentFile(const QString& path, const QString& extension);
    void FillEditMenu(QMenu* edit);
    void CreateViewMenu();
    void CreateHistoryWindow();
    void AddHardwareExportItems(QMenu* exportMenu);
    void CreateDrawOnKeys();
    void OnFlickerTick();
    QString ExportAtSize(const PngOption& option, const QString& path) const;
    void LayOutWorkArea();
    void LayOutPictureWindow();
    QRect MaximisedPictureRect() const;
    void SetPictureMaximised(bool maximised);
    void ToggleWindow(FloatingWindow* window, ToolKey* key);
    // First start, no positions file: the floating windows go where they leave the picture
    // and each other free, once the first of them opens.
    void PlaceWindowsOnFirstUse();
    // The visible part of the picture, in the work area's coordinates.
    QRect PictureOnScreen() const;
    // Rolls up and moves aside the open windows that `window`, just opened or rolled
    // down, lies over.
    void MakeRoomFor(FloatingWindow* window);
    bool HandleKey(QKeyEvent* event);
    void HandleKeyRelease(QKeyEvent* event);
    void RunKeyCommand(KeyCommand command);
    // `pointer` in screen coordinates: the picture point under it stays where it is.
    void OnWheel(int delta, QPoint pointer);
    void CreateDrawingKeys();
    void OnPictureMousePress(const PictureMouseInput& input);
    void OnPictureMouseMove(const PictureMouseInput& input);
    void OnPictureMouseRelease();
    void ShowMouseResult(const PictureMouseResult& result, bool press);
    // The Select instrument's press and drag at a view point.
    void TrackSelectionPoint(QPoint viewPoint, bool press);
    bool OwnsWidget(QObject* object) const;

    EditorState state_;
    RenderImages images_;
    LinePatterns patterns_;
    HardwareImages hardware_;

    QWidget* workArea_ = nullptr;            // EditMode_MGS
    QWidget* toolbar_ = nullptr;             // Panel_Instruments
    StatusBar* statusBar_ = nullptr;         // Panel_StatusBar_1
    TFreePanel* pictureWindow_ = nullptr;    // Panel_Editor_Picture
    QLabel* maximiseBox_ = nullptr;          // Image6
    QScrollArea* scrollBox_ = nullptr;       // ScrollBox_EditPicture
    QWidget* editPanel_ = nullptr;           // Panel_EditPicture
    PictureView* view_ = nullptr;            // Editor_IMG_MGSFull
    QFrame* borderPreview_ = nullptr;        // PanelBorderPreview
    PreviewView* preview_ = nullptr;         // Editor_IMG_Preview
    ZoomPreviewView* zoomPreview_ = nullptr; // Editor_IMG_ZoomPreview
    std::map<QString, FloatingWindow*> panels_;
    std::map<QString, ToolKey*> keys_;
    QTimer* timer_ = nullptr; // Timer1
    RecoveryKeeper* recovery_ = nullptr;
    QTimer* flickerTimer_ = nullptr;
    bool flickerNoteShown_ = false;
    SizedExport sizedExport_ = SizedExport::Mix;
    uint64_t shownHistorySerial_ = ~uint64_t{0};

    // The colour tools' window contents.
    CorrectorWindow* corrector_ = nullptr;
    BorderPaletteWindow* borderPalette_ = nullptr;
    GradientPaletteView* gradientPalette_ = nullptr;
    ColourPalettes* palettes_ = nullptr;      // Panel_Color's controls, Panel_CurrentColors
    PaletteMessageBus* paletteBus_ = nullptr; // WM_TILESMITH_GET_PALETTE
    std::unique_ptr<UserDialogs> dialogs_;
    FileDialogMemory openDialog1_; // OpenDialog1
    FileDialogMemory saveDialog1_; // SaveDialog1

    ImportChoice importChoice_; // the import window's options, kept while the program runs
    QRect pictureRestoreRect_{2, 42, 640, 480};
    bool firstShowDone_ = false;
    bool placementPending_ = false;
    bool starting_ = false; // the constructor is opening the command line's file
    QString startupError_;  // its error, shown once the window is on screen
};

// A menu item's text: its caption, and the key that does the same at the right.
QString MenuCaption(const char* caption, const char* key);
