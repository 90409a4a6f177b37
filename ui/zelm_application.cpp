#include "zelm_application.h"

#include <QFont>
#include <QMessageBox>


namespace {

// The window's fonts are named as in its definition; these are what stands in for them on Linux.
void AddFontFallbacks()
{
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"),
                               {QStringLiteral("MS PGothic"), QStringLiteral("IPAPGothic"),
                                QStringLiteral("IPAGothic")});
    // A fixed-pitch face whose double-byte characters take exactly two columns, so that the
    // listing's two rules line up.
    QFont::insertSubstitutions(QStringLiteral("Terminal"), {QStringLiteral("IPAGothic")});
}

}  // namespace

ZelmApplication::ZelmApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QString::fromUtf8(kTitle));
    setDesktopFileName(QStringLiteral("zelm"));
    AddFontFallbacks();
}

bool ZelmApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e.what());
    } catch (...) {
        ShowException(kUnknownException);
    }
    return false;
}

void ZelmApplication::ShowException(const char* message)
{
    QMessageBox::critical(nullptr, QString::fromUtf8(kTitle), QString::fromUtf8(message));
}
