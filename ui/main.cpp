// ZELM: a viewer for track files.
#include <exception>

#include "tform1.h"
#include "zelm_application.h"

int main(int argc, char** argv)
{
    ZelmApplication app(argc, argv);
    try {
        TForm1 Form1;
        Form1.show();
        return app.exec();
    } catch (const std::exception& e) {
        ZelmApplication::ShowException(e.what());
    } catch (...) {
        ZelmApplication::ShowException(ZelmApplication::kUnknownException);
    }
    return 1;
}
