// The application object: its title, its fonts, and the display of exceptions.
#pragma once

#include <QApplication>

// The QApplication of ZELM.
class ZelmApplication : public QApplication {
    Q_OBJECT
public:
    // The program's name on the desktop; the window's caption differs from it.
    static constexpr const char* kTitle = "ZELM Ver0.1";

    // Sets up the application: title, desktop entry, font fallbacks.
    ZelmApplication(int& argc, char** argv);

    // Delivers an event; an exception thrown by its handling is shown and the loop goes on.
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an exception's message in a standard message box.
    static void ShowException(const char* message);
};
