// The ZELM main window: the chosen file's path, the listings, and the load, copy and exit commands.
#pragma once

#include <QMainWindow>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "ui_tform1.h"

class MenuShortcuts;
class QFileDialog;

// The main window. Its parts keep the names of the window definition (tform1.ui).
class TForm1 : public QMainWindow, private Ui::TForm1 {
    Q_OBJECT
public:
    // Asks the user for a track file; returns its path, or nothing when cancelled.
    using FileChooser = std::function<std::optional<QString>()>;

    // Builds the window from its definition; nothing is loaded.
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // Replaces the open dialog, so that tests can answer it.
    void SetFileChooser(FileChooser chooser);

    // Loads the file at path as if it had been chosen in the open dialog.
    void LoadTrackFile(const QString& path);

    using Ui::TForm1::Label1;
    using Ui::TForm1::Label2;
    using Ui::TForm1::RichEdit1;
    using Ui::TForm1::MainMenu1;
    using Ui::TForm1::KF1;
    using Ui::TForm1::KR1;
    using Ui::TForm1::N1;
    using Ui::TForm1::Exit1;
    using Ui::TForm1::Edit1;
    using Ui::TForm1::KC1;

    QFileDialog* OpenDialog1;  // the open dialog behind KR1Click
    MenuShortcuts* Shortcuts;  // routes the menu's shortcut keys

public slots:
    // Load: choose a track file and append its listing to the view.
    void KR1Click();
    // Copy: the view's selection to the clipboard as plain text.
    void KC1Click();
    // Exit: close the window, which ends the program.
    void Exit1Click();

private:
    std::optional<QString> ShowOpenDialog();
    void ApplyFonts();
    void FixSize();
    void SetLabel(const QString& text);

    FileChooser chooser_;
};
