// The main window on the offscreen platform: its definition, the three commands and the keys.
#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <stdexcept>

#include "cp932.h"
#include "menu_shortcuts.h"
#include "tform1.h"
#include "track_listing.h"
#include "zelm_application.h"

namespace {

// A minimal valid track file: the signature, a date, no points.
QByteArray EmptyTrack()
{
    QByteArray bytes(144, '\0');
    bytes.replace(0, 8, "TRAC1.00");
    bytes[12] = '\x20';
    bytes[13] = '\x26';
    return bytes;
}

// The listing of a file as the view shows it: zelm-list's UTF-8 output without its last line feed.
QString ViewTextOf(const QString& path)
{
    const auto listing = zelm::ListTrackFile(QFile::encodeName(path).toStdString());
    QString text = QString::fromStdString(zelm::Cp932ToUtf8(listing.text));
    text.chop(1);
    return text;
}

// Records the key presses a widget is sent, leaving out those of the modifier keys themselves.
class KeySpy : public QObject {
public:
    QList<QKeyCombination> seen;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Control && key->key() != Qt::Key_Shift && key->key() != Qt::Key_Alt)
            seen << key->keyCombination();
        return false;
    }
};

}  // namespace

class TForm1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void definition();
    void rulesLineUpInTheViewsFont();
    void cancelChangesNothing();
    void failuresShowOnlyInTheLabel_data();
    void failuresShowOnlyInTheLabel();
    void sameFileTwiceGivesTwoListings();
    void userTextIsKeptAndListingStartsOnItsOwnLine();
    void labelShowsItsTextLiterally();
    void copyPutsTheSelectionOnTheClipboard();
    void menuOrderDecidesWhichItemTakesAKey_data();
    void menuOrderDecidesWhichItemTakesAKey();
    void keysReachTheMenuBeforeTheView();
    void exceptionInACommandIsShownAndTheLoopGoesOn();
    void ctrlECloses();

private:
    QString Write(const QString& name, const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<TForm1> form_;
    int chooserCalls_ = 0;
    std::optional<QString> answer_;
};

void TForm1Test::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    form_ = std::make_unique<TForm1>();
    chooserCalls_ = 0;
    answer_.reset();
    form_->SetFileChooser([this] {
        ++chooserCalls_;
        return answer_;
    });
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
}

void TForm1Test::cleanup() { form_.reset(); }

QString TForm1Test::Write(const QString& name, const QByteArray& bytes)
{
    QFile file(dir_->filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(file.fileName()));
    return file.fileName();
}

void TForm1Test::definition()
{
    TForm1& f = *form_;
    QCOMPARE(f.windowTitle(), QStringLiteral("ZELM Ver0.0β"));
    QCOMPARE(f.centralWidget()->size(), QSize(435, 355));
    QCOMPARE(f.minimumSize(), f.maximumSize());  // the user cannot resize it
    QVERIFY(!(f.windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(f.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(f.windowFlags() & Qt::WindowSystemMenuHint);
    QCOMPARE(f.windowIcon().availableSizes().value(0), QSize(32, 32));
    QCOMPARE(f.font().pixelSize(), 12);

    QCOMPARE(f.Label2->text(), QStringLiteral("対象軌跡ファイル"));
    QCOMPARE(f.Label2->pos(), QPoint(9, 1));
    QCOMPARE(f.Label1->pos(), QPoint(105, 1));
    QCOMPARE(f.Label1->text(), QString());
    QCOMPARE(f.RichEdit1->geometry(), QRect(0, 16, 433, 337));
    QCOMPARE(f.RichEdit1->font().pixelSize(), 19);
    QVERIFY(!f.RichEdit1->isReadOnly());
    QCOMPARE(f.RichEdit1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(f.RichEdit1->viewport()->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(QApplication::focusWidget(), f.RichEdit1);
    QCOMPARE(f.Label1->focusPolicy(), Qt::NoFocus);

    QCOMPARE(f.KF1->title(), QStringLiteral("ファイル(&F)"));
    QCOMPARE(f.Edit1->title(), QStringLiteral("編集(&E)"));
    QCOMPARE(f.KF1->actions(), (QList<QAction*>{f.KR1, f.N1, f.Exit1}));
    QCOMPARE(f.Edit1->actions(), QList<QAction*>{f.KC1});
    QVERIFY(f.N1->isSeparator());
    QCOMPARE(f.KR1->text(), QStringLiteral("読込(&L)"));
    QCOMPARE(f.Exit1->text(), QStringLiteral("終了(&E)"));
    QCOMPARE(f.KC1->text(), QStringLiteral("クリップボードへコピー(&C)"));
    QCOMPARE(f.KR1->statusTip(), QStringLiteral("軌跡ファイルを読込みます"));
    QCOMPARE(f.Exit1->statusTip(), QStringLiteral("ZELMを終了します"));
    QCOMPARE(f.KR1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_L));
    QCOMPARE(f.Exit1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    QCOMPARE(f.KC1->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));

    QCOMPARE(f.OpenDialog1->nameFilters(), QStringList{QStringLiteral("軌跡ファイル(*.trc)")});
    QCOMPARE(f.OpenDialog1->fileMode(), QFileDialog::AnyFile);
    QCOMPARE(QApplication::applicationName(), QStringLiteral("ZELM Ver0.1"));
}

void TForm1Test::rulesLineUpInTheViewsFont()
{
    const QFont font = form_->RichEdit1->font();
    const QFontMetricsF metrics(font);
    // Fixed pitch: narrow and wide Latin letters take the same column.
    QCOMPARE(metrics.horizontalAdvance(u'i'), metrics.horizontalAdvance(u'W'));
    const qreal top = metrics.horizontalAdvance(QStringLiteral("=====ファイルヘッダ情報================="));
    const qreal bottom = metrics.horizontalAdvance(QString(40, u'='));
    QCOMPARE(top, bottom);
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("軌")), 2 * metrics.horizontalAdvance(QStringLiteral("=")));
}

void TForm1Test::cancelChangesNothing()
{
    form_->RichEdit1->setPlainText(QStringLiteral("メモ"));
    form_->LoadTrackFile(Write("a.trc", EmptyTrack()));
    const QString label = form_->Label1->text();
    const QString view = form_->RichEdit1->toPlainText();
    answer_.reset();
    form_->KR1Click();
    QCOMPARE(chooserCalls_, 1);
    QCOMPARE(form_->Label1->text(), label);
    QCOMPARE(form_->RichEdit1->toPlainText(), view);
}

void TForm1Test::failuresShowOnlyInTheLabel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");  // empty: no file at all
    QTest::addColumn<QString>("label");
    QTest::newRow("missing") << "none.trc" << QByteArray() << QStringLiteral("ファイルが見つかりません");
    QTest::newRow("not a track file") << "zip.trc" << QByteArray("PK\x03\x04\x14\x00", 6)
                                      << QStringLiteral("軌跡データファイルのヘッダが違います \"PK\\x03\\x04\\x14\"");
    QTest::newRow("empty file") << "empty.trc" << QByteArray("", 0)
                                << QStringLiteral("軌跡データファイルのヘッダが違います \"\"");
}

void TForm1Test::failuresShowOnlyInTheLabel()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, label);
    const QString path = bytes.isNull() ? dir_->filePath(name) : Write(name, bytes);
    form_->RichEdit1->setPlainText(QStringLiteral("before"));
    answer_ = path;
    form_->KR1Click();
    QCOMPARE(form_->Label1->text(), label);
    QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("before"));
}

void TForm1Test::sameFileTwiceGivesTwoListings()
{
    QByteArray bytes = EmptyTrack();
    bytes[35] = 2;  // two points
    bytes += QByteArray("\x3D\x6A\xD0\x00\x0F\xAF\x14\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16);
    const QString path = Write("two.trc", bytes);
    answer_ = path;
    form_->KR1Click();
    form_->KR1Click();
    const QString one = ViewTextOf(path);
    QVERIFY(one.contains(QStringLiteral("[   1]   N  35, 41, 22.5     E 139, 45, 30.0")));
    QCOMPARE(form_->RichEdit1->toPlainText(), one + u'\n' + one);
    QCOMPARE(form_->Label1->text(), path);
}

void TForm1Test::userTextIsKeptAndListingStartsOnItsOwnLine()
{
    const QString path = Write("a.trc", EmptyTrack());
    form_->RichEdit1->setPlainText(QStringLiteral("first line\nno line end"));
    form_->LoadTrackFile(path);
    QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("first line\nno line end\n") + ViewTextOf(path));
}

void TForm1Test::labelShowsItsTextLiterally()
{
    const QString path = Write("a&b <b>bold<br>.trc", EmptyTrack());
    form_->LoadTrackFile(path);
    QCOMPARE(form_->Label1->text(), path);
    QCOMPARE(form_->Label1->textFormat(), Qt::PlainText);
    QVERIFY(form_->Label1->width() >= QFontMetrics(form_->Label1->font()).horizontalAdvance(path));
}

void TForm1Test::copyPutsTheSelectionOnTheClipboard()
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("untouched"));
    form_->RichEdit1->setPlainText(QStringLiteral("軌跡\n　二行目"));
    form_->KC1Click();  // nothing selected
    QCOMPARE(clipboard->text(), QStringLiteral("untouched"));
    form_->RichEdit1->selectAll();
    form_->KC1Click();
    QCOMPARE(clipboard->text(), QStringLiteral("軌跡\n　二行目"));
}

void TForm1Test::menuOrderDecidesWhichItemTakesAKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("taker");  // object name of the heading or item, or empty
    QTest::newRow("Ctrl+L") << int(Qt::Key_L) << int(Qt::ControlModifier) << "KR1";
    QTest::newRow("Ctrl+E: Exit1 comes before Edit1") << int(Qt::Key_E) << int(Qt::ControlModifier) << "Exit1";
    QTest::newRow("Ctrl+F: a heading") << int(Qt::Key_F) << int(Qt::ControlModifier) << "KF1";
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << "KC1";
    QTest::newRow("Ctrl+Shift+C") << int(Qt::Key_C) << int(Qt::ControlModifier | Qt::ShiftModifier) << "";
    QTest::newRow("Alt+F") << int(Qt::Key_F) << int(Qt::AltModifier) << "";
    QTest::newRow("plain L") << int(Qt::Key_L) << 0 << "";
    QTest::newRow("Ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier) << "";
}

void TForm1Test::menuOrderDecidesWhichItemTakesAKey()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, taker);
    const int stored = StoredShortcutOf(key, Qt::KeyboardModifiers(modifiers));
    QAction* action = form_->Shortcuts->Match(stored);
    QString name;
    if (action)
        name = action->menu() ? action->menu()->objectName() : action->objectName();
    QCOMPARE(name, taker);
}

void TForm1Test::keysReachTheMenuBeforeTheView()
{
    KeySpy spy;
    form_->RichEdit1->installEventFilter(&spy);
    form_->RichEdit1->setPlainText(QStringLiteral("本文"));
    form_->RichEdit1->selectAll();
    QGuiApplication::clipboard()->clear();

    QTest::keyClick(form_->RichEdit1, Qt::Key_F, Qt::ControlModifier);  // a heading: nothing runs
    QTest::keyClick(form_->RichEdit1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("本文"));
    answer_.reset();
    QTest::keyClick(form_->RichEdit1, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(chooserCalls_, 1);
    QTest::keyClick(form_->RichEdit1, Qt::Key_A, Qt::ControlModifier);  // not the menu's: the view's

    QCOMPARE(spy.seen, QList<QKeyCombination>{QKeyCombination(Qt::ControlModifier, Qt::Key_A)});
    QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("本文"));
    QVERIFY(form_->isVisible());
}

void TForm1Test::exceptionInACommandIsShownAndTheLoopGoesOn()
{
    form_->SetFileChooser([]() -> std::optional<QString> { throw std::runtime_error("disk on fire"); });
    QString shown;
    // The message box is modal: read it and close it from the event loop it runs.
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->close();
        }
    });
    QTest::keyClick(form_->RichEdit1, Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(shown, QStringLiteral("disk on fire"));
    QVERIFY(form_->isVisible());
    QTest::keyClick(form_->RichEdit1, Qt::Key_X);  // the window still takes keys
    QCOMPARE(form_->RichEdit1->toPlainText(), QStringLiteral("x"));
}

void TForm1Test::ctrlECloses()
{
    QTest::keyClick(form_->RichEdit1, Qt::Key_E, Qt::ControlModifier);
    QVERIFY(!form_->isVisible());
}

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ZelmApplication app(argc, argv);
    TForm1Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "tform1_test.moc"
