#pragma once
// The main window: the control bar of the picture's settings, the editing
// area, and the menus of file commands, makers, demos and help.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/ControlBar.h"
#include "app/DocumentCommands.h"
#include "app/DrawingTools.h"
#include "app/Drives.h"
#include "app/StartupConfig.h"
#include "app/RecentFiles.h"
#include "platform/WindowContext.h"
#include "led/Ledhyoujiki.h"
#include "led/DocumentPicture.h"
#include "led/ImageImport.h"
#include "platform/FileChooser.h"
#include "platform/IniProfile.h"
#include "platform/MemoryImage.h"
#include "platform/Prompter.h"

class QAction;
class QActionGroup;
class QComboBox;
class QDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollArea;
class QToolBar;
class QToolButton;

namespace tesslor::gui {

class PaintBoxWidget;
class RadioGroup;
class TPenColorForm;
class TMagnificationForm;
class TMakeAnimationForm;
class TAnimaDemoForm;
class TImageImportForm;
struct ImportImageFile;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    /// Creates the controls, reads the configuration and runs FormCreate.
    explicit TMainForm(const EditorEnvironment& env, QWidget* parent = nullptr);
    ~TMainForm() override;

    /// What every other window is given (the configuration read here, the
    /// drive selected here).
    const WindowContext& Context() const { return context_; }

    /// The main window's two small windows, created after it: the pen colour
    /// the left button draws with, and the magnification of the editing area.
    void AttachPenColorForm(TPenColorForm& form);
    void AttachMagnificationForm(TMagnificationForm& form);

    // ---- start-up and close ----
    void FormCreate();
    /// The first showing: drive selection from the drive file, device kind.
    void FormShow();
    /// Stores the drive letter and asks the discard question; false keeps the window open.
    bool FormClose();

    // ---- editing area and control bar ----
    void PaintBox1Paint();
    void PaintBox1MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, QPoint pos);
    void PaintBox1MouseMove(Qt::MouseButtons buttons, QPoint pos);
    /// A button let go: ends the stroke or shape it began (one undo step).
    void PaintBox1MouseUp(Qt::MouseButton button, QPoint pos);
    void MagnificationComboBoxChange();
    void DisplayModeComboBoxChange();
    void SounyuuMojiComboBoxChange();
    void SounyuuItiComboBoxChange();
    void NiniItiMaskEditChange();
    void ReverseModeColorRadioGroupClick();
    void WriteNoMaskComboBoxChange();
    void ShowDocumentSettings();

    // ---- file commands ----
    void NewFileOpenClick();
    void FileOpenClick();
    void FileWriteClick();
    void UwagakiHozonButtonClick();
    void FileWriteNameClick();
    void BmpFileOpenClick();
    void BmpFileWriteClick();
    void OldFileOpenClick();
    void OldFileWriteClick();
    void M_ExitClick();
    /// Loads an LED data file without dialog or discard question, then refreshes the window.
    void OpenLedDataFileByName(const std::string& path);

    // ---- editing (編集) ----
    /// The drawing tools; the pen draws dot by dot as the mouse moves.
    using Tool = DrawingTool;
    Tool CurrentTool() const { return tools_->Current(); }
    void SelectTool(Tool tool);
    void UndoClick();
    void RedoClick();
    /// The whole picture dx dots across and dy down; dots pushed off the edge are lost.
    void ShiftClick(int dx, int dy);
    void FlipHorizontallyClick();
    void FlipVerticallyClick();
    void SwapRedGreenClick();
    void ClearPictureClick();
    /// Another window has drawn the picture anew (the text editor's
    /// rendering): the change becomes one undo step, a new unsaved picture.
    void PictureChangedElsewhere();
    /// カードに追加 of the picture on screen; text (the text editor's) names a new picture.
    bool AddPictureToCard(const std::string& text);
    /// 画像の読み込み…: the discard question, an image chosen on the card's
    /// drive, its window; OK makes its dots the picture (one undo step, unsaved).
    void ImportImageClick();
    /// The same for an image given by name (dropped on the window): the
    /// discard question, then its window.
    void ImportImageByName(const std::string& path);
    /// The image at path read and placed in its window, then taken as the
    /// window's outcome says.
    void PlaceImportedImage(const std::string& path);
    /// 動画として読み込む: each frame placed as the window shows the first,
    /// written beside a list the operator names (on the card's drive). True
    /// once it is written; otherwise the import window comes back.
    bool ImportAnimation(const ImportImageFile& image, const std::string& imageName, const ImportOptions& options);
    /// What a カードに追加 did, in the status line until the picture changes.
    void ShowCardStatus(const std::string& done);

    // ---- view and help ----
    /// Hides this window while the demo runs modally, then shows it again with
    /// the editing area at the chosen magnification.
    void DemonstrationClick(QDialog& demo);
    /// 動画のデモ: the list chosen in AnaOpenDialog is read by the maker's list,
    /// its pictures are loaded one after the other and rendered into the demo's
    /// frames, and the demo plays them modally while this window is hidden.
    /// Afterwards the editor holds the last picture loaded, with nothing unsaved.
    void AnimeDemonstrationClick(TMakeAnimationForm& maker, TAnimaDemoForm& demo);
    /// The animation maker's 再生: the demo of its list as it stands.
    void PlayAnimationList(TMakeAnimationForm& maker, TAnimaDemoForm& demo);
    void VerssionClick();
    void TesslorNiTuiteClick();

    LedHyoujikiClass& Document() { return *document_; }
    /// The document's file operations with this window's questions and messages.
    DocumentFiles& Files() { return *documentFiles_; }
    const StartupConfig& Config() const { return config_; }
    /// The selected drive letter ("" when none), as the makers read it.
    std::string DriveText() const;
    /// The folder the selected drive's dialogs start in.
    std::string DriveRoot();
    Rgb PenColorValue() const;

    // Controls, named as the design names them.
    QFrame* Panel1;
    QLabel* Label4;
    QComboBox* WriteNoMaskComboBox;
    QLabel* Label1;
    QComboBox* DisplayModeComboBox;
    QLabel* Label3;
    QComboBox* DriveComboBox;
    QPushButton* UwagakiHozonButton;
    RadioGroup* ReverseModeColorRadioGroup;
    QLabel* Label5;
    QComboBox* SounyuuMojiComboBox;
    QLabel* Label6;
    QComboBox* SounyuuItiComboBox;
    QLabel* Label7;
    QLineEdit* NiniItiMaskEdit;
    QScrollArea* ScrollBox;
    PaintBoxWidget* PaintBox1;

    QMenu* File;
    QAction* NewFileOpen;
    QAction* FileOpen;
    QAction* FileWrite;
    QAction* FileWriteName;
    /// カードに追加: saved onto the card's root and listed in its Perform.txt.
    QAction* CardAdd;
    QAction* BmpFileOpen;
    QAction* ImageImport;
    QAction* BmpFileWrite;
    QAction* OldFileOpen;
    QAction* OldFileWrite;
    QAction* M_Exit;
    QAction* PenColor;
    QMenu* R1;
    QAction* DougaFaileSakusei;
    QAction* Perform1;
    QAction* MongonSakusei;
    QAction* HyoujiSchedule;
    QAction* SeteiMake;
    QAction* SeteiMake2;
    QAction* N1;
    QAction* CO21;
    QAction* CardCheck;
    QMenu* Hyouji;
    QAction* HyoujiBairitu;
    /// 全体表示 (Ctrl+0): the magnification at which the board's width fits the window.
    QAction* ZentaiHyouji;
    QAction* Demonstration;
    QAction* AnimeDemonstration;
    QMenu* Etc;
    QAction* Verssion;
    QAction* TesslorNiTuite;

    QMenu* Edit;
    QAction* UndoAction;
    QAction* RedoAction;
    QAction* ShiftLeftAction;
    QAction* ShiftRightAction;
    QAction* ShiftUpAction;
    QAction* ShiftDownAction;
    QAction* FlipHorizontalAction;
    QAction* FlipVerticalAction;
    QAction* SwapRedGreenAction;
    QAction* ClearPictureAction;

    QToolBar* DrawingToolBar;
    QToolButton* PenToolButton;
    QToolButton* LineToolButton;
    QToolButton* RectangleToolButton;
    QToolButton* FilledRectangleToolButton;
    QToolButton* FillToolButton;

    QLabel* PositionStatusLabel;
    QLabel* PenColorStatusLabel;
    QLabel* MagnificationStatusLabel;
    QLabel* UsedWidthStatusLabel;
    /// The picture's file name, with "*" while it has unsaved changes.
    QLabel* FileStatusLabel;
    /// What the last カードに追加 did, until the picture changes.
    QLabel* CardStatusLabel;

    std::unique_ptr<FileDialog> AnaOpenDialog;

    /// The file commands, undo and redo over the document.
    DocumentCommands& Commands() { return *commands_; }
    /// The work image of the bitmap commands (Image1).
    RgbImage* WorkImage() { return commands_->WorkImage(); }

    /// ファイル → 最近使ったファイル: the last files opened or saved, newest first.
    QMenu* RecentFilesMenu;
    /// Opens a file given by name (the recent list, a drop): a .lee or .led
    /// opens, a .bmp or .png is imported, each after the discard question as
    /// its menu command. False when refused, unknown or unreadable.
    bool OpenByName(const std::string& path);
    /// `tesslor FILE`: OpenByName, and a file of another kind is said so.
    /// True when the picture opened.
    bool OpenFromCommandLine(const std::string& path);

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// The frames of an animation demo, given what makes way for it.
    using DemoFrames = std::function<std::optional<std::vector<MemoryImage>>(const std::function<void()>& ready)>;
    /// Both animation demos: this window hidden while the frames are
    /// captured and the demo plays, then shown again whatever happened.
    void RunAnimationDemo(TAnimaDemoForm& demo, const AnimationList& list, const DemoFrames& frames);
    void CreateControlBar(QWidget* central);
    void CreateEditingArea(QWidget* central);
    void ConnectControls();
    void CreateFileMenu();
    void CreateToolMenu();
    void CreateEditMenu();
    void CreateDrawingToolBar();
    void CreateStatusBar();
    /// Takes the picture as it now is into the history (a step when it
    /// differs) and shows the document's state.
    void RecordPicture();
    /// After any command: the bar, the edit menu and the status bar show the document.
    void ShowDocument();
    /// Ends a stroke or shape still in progress and records it.
    void EndStroke();
    /// Runs one of the document's commands and shows its result.
    template <class Command>
    void RunCommand(Command command);
    /// An open command; a picture read shows its start.
    void RunOpening(bool (DocumentCommands::*open)());
    /// 全体表示 fills the editing area's width: the board is shown scaled up
    /// from the largest layout of whole-pixel dots that fits.
    void ApplyFitScale();
    void ShowPictureStart();
    void UpdateEditActions();
    void UpdateStatusBar();
    void ShowPointer(std::optional<QPoint> pos);
    void CreateViewMenus();
    void ConnectMenus();
    void CreateDialogs();
    void ApplyConfiguration();
    void ZoomAt(int steps, QPoint pos);
    /// The bar's state as the controls show it, and back.
    ControlBarState ReadBar() const;
    void ShowBar(const ControlBarState& state);
    /// The bar's lists filled from the document's tables.
    void FillBarLists();
    /// Runs one of the bar's rules between reading and showing the controls.
    template <class Rule>
    void RunBarRule(Rule rule, const char* typing = "");

    void ShowRecentFiles();

    Prompter& prompter_;
    FileSystem& files_;
    std::string driveFilePath_;
    std::unique_ptr<IniProfile> recentProfile_;
    RecentFiles recent_{nullptr};
    IniProfile configFile_;
    StartupConfig config_;
    DriveRootLookup driveRoots_;
    WindowContext context_;
    TImageImportForm* imageImportForm_ = nullptr;  ///< made at its first use, a child of this window
    std::unique_ptr<LedHyoujikiClass> document_;
    std::unique_ptr<ControlBar> bar_;
    bool showingBar_ = false;
    std::unique_ptr<DocumentFiles> documentFiles_;
    std::unique_ptr<DocumentCommands> commands_;
    TPenColorForm* penColorForm_ = nullptr;
    TMagnificationForm* magnificationForm_ = nullptr;
    bool shownOnce_ = false;

    std::unique_ptr<DrawingTools> tools_;
    QActionGroup* toolGroup_ = nullptr;
    // The button whose press began the stroke or shape being dragged.
    Qt::MouseButton strokeButton_ = Qt::NoButton;
};

}  // namespace tesslor::gui
