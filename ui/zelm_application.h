// The application object: its title, its fonts, and the display of exceptions.
#pragma once

#include <QApplication>

#include <exception>

// The QApplication of ZELM.
class ZelmApplication : public QApplication {
    Q_OBJECT
public:
    // The program's name on the desktop; the window's caption differs from it.
    static constexpr const char* kTitle = "ZELM Ver0.1";

    // Sets up the application: title, desktop entry, font fallbacks.
    ZelmApplication(int& argc, char** argv);

    // Delivers an event; an exception that escapes its handling is shown and the loop goes on.
    bool notify(QObject* receiver, QEvent* event) override;

    // Shows an exception's message in a standard message box.
    static void ShowException(const char* message);

    // Runs a command; an exception it throws is shown and goes no further.
    //
    // Commands catch here rather than in notify(): Qt's own frames between a handler and the
    // event loop are not built to be unwound through.
    template <typename Command>
    static void RunCommand(Command command)
    {
        try {
            command();
        } catch (const std::exception& e) {
            ShowException(e.what());
        } catch (...) {
            ShowException(kUnknownException);
        }
    }

    // The message for an exception that is not a std::exception.
    static constexpr const char* kUnknownException = "unknown exception";
};
