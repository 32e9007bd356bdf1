// The main window: owns every record of the editor and the renderer's images, runs the
// start-up sequence, and turns menu commands into calls on the core.
#pragma once

#include "shell/editor.h"

#include <QMainWindow>
#include <QStringList>

class QFrame;
class QScrollArea;
class PictureView;

class MainWindow : public QMainWindow, public Editor {
    Q_OBJECT
public:
    // `arguments` are the command-line arguments after the program name.
    explicit MainWindow(const QStringList& arguments, QWidget* parent = nullptr);
    ~MainWindow() override;

    EditorState& State() override { return state_; }
    const RenderImages& Images() const override { return images_; }
    const LinePatterns& Patterns() const override { return patterns_; }
    void RefreshView(bool rerender) override;

    void SetZoom(int level);
    // The "New" and "Change char size" menu items.
    void NewPicture(int charHeight);
    void ConvertCharHeight(int charHeight);

    PictureView* View() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateWorkArea();
    void CreateMenus();
    void LayOutWorkArea();

    EditorState state_;
    RenderImages images_;
    LinePatterns patterns_;

    QWidget* workArea_ = nullptr;      // EditMode_MGS
    QFrame* pictureWindow_ = nullptr;  // Panel_Editor_Picture
    QScrollArea* scrollBox_ = nullptr; // ScrollBox_EditPicture
    QWidget* editPanel_ = nullptr;     // Panel_EditPicture
    PictureView* view_ = nullptr;      // Editor_IMG_MGSFull
    bool firstShowDone_ = false;
};
