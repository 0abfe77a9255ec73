#include "form_edit.h"
#include "qt_platform.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    corvane::prepareApplication(app);

    corvane::QtPlatform platform;
    corvane::Form_edit window(platform);
    platform.setParentWindow(&window);
    window.show();
    return app.exec();
}
