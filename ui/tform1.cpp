#include "tform1.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTextDocumentFragment>

#include "failure_text.h"
#include "listing_view_text.h"
#include "menu_shortcuts.h"
#include "track_listing.h"
#include "zelm_application.h"

TForm1::TForm1(QWidget* parent) : QMainWindow(parent)
{
    // The icon lives in the window library's resources, which a static library must register.
    Q_INIT_RESOURCE(zelm);
    setupUi(this);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    ApplyFonts();

    RichEdit1->viewport()->setCursor(Qt::ArrowCursor);
    QPalette palette = RichEdit1->palette();
    palette.setColor(QPalette::Text, Qt::black);
    RichEdit1->setPalette(palette);
    RichEdit1->setFocus();

    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setNameFilter(QStringLiteral("軌跡ファイル(*.trc)"));
    OpenDialog1->setFileMode(QFileDialog::AnyFile);  // a typed name need not exist
    OpenDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own dialog behaves alike on every desktop and under a bare X server.
    OpenDialog1->setOption(QFileDialog::DontUseNativeDialog);

    Shortcuts = new MenuShortcuts(this, MainMenu1);
    Shortcuts->ShowShortcuts();
    qApp->installEventFilter(Shortcuts);

    connect(KR1, &QAction::triggered, this, &TForm1::KR1Click);
    connect(KC1, &QAction::triggered, this, &TForm1::KC1Click);
    connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);

    chooser_ = [this] { return ShowOpenDialog(); };
    FixSize();
}

TForm1::~TForm1() = default;

void TForm1::ApplyFonts()
{
    // The definition names the families; sizes are in pixels, which a .ui font cannot hold.
    QFont windowFont = font();
    windowFont.setPixelSize(12);
    setFont(windowFont);
    QFont viewFont = RichEdit1->font();
    viewFont.setPixelSize(19);
    viewFont.setStyleHint(QFont::TypeWriter);
    viewFont.setFixedPitch(true);
    RichEdit1->setFont(viewFont);
}

void TForm1::FixSize()
{
    // The client area is fixed; the menu bar's height is whatever its font needs on top of it.
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TForm1::SetFileChooser(FileChooser chooser) { chooser_ = std::move(chooser); }

std::optional<QString> TForm1::ShowOpenDialog()
{
    const int result = OpenDialog1->exec();
    // The file name's completion list can outlive a dialog accepted while it was showing.
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    if (result != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty())
        return std::nullopt;
    return OpenDialog1->selectedFiles().constFirst();
}

void TForm1::SetLabel(const QString& text)
{
    Label1->setText(text);
    Label1->adjustSize();
}

void TForm1::KR1Click()
{
    ZelmApplication::RunCommand([this] {
        const std::optional<QString> path = chooser_();
        if (path)
            LoadTrackFile(*path);
    });
}

void TForm1::LoadTrackFile(const QString& path)
{
    SetLabel(path);
    const zelm::TrackListing listing = zelm::ListTrackFile(QFile::encodeName(path).toStdString());
    if (listing.outcome != zelm::LoadOutcome::Listed) {
        SetLabel(QString::fromStdString(zelm::FailureText(listing)));
        return;
    }
    // One paragraph per line, each entry starting on a line of its own after whatever is there.
    RichEdit1->appendPlainText(ListingViewText(listing));
}

void TForm1::KC1Click()
{
    ZelmApplication::RunCommand([this] {
        const QTextCursor cursor = RichEdit1->textCursor();
        if (cursor.hasSelection())
            QGuiApplication::clipboard()->setText(cursor.selection().toPlainText());
    });
}

void TForm1::Exit1Click()
{
    ZelmApplication::RunCommand([this] { close(); });
}
