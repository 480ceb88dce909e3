// Varentix: gives downloaded novels readable file names.

#include <QApplication>
#include <QDir>
#include <QIcon>

#include "ui/fonts.h"
#include "ui/interface_language.h"
#include "ui/main_window.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varentix"));
    QApplication::setApplicationVersion(QStringLiteral(VARENTIX_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.varentix.Varentix"));
    QIcon icon(QStringLiteral(":/icons/varentix-32.png"));
    icon.addFile(QStringLiteral(":/icons/varentix-256.png"));
    QApplication::setWindowIcon(icon);

    // Paths without a folder are the program's own folder's, as on the
    // desktop this tool was first written for.
    QDir::setCurrent(QCoreApplication::applicationDirPath());
    varentix::install_font_substitutions();
    varentix::install_interface_language();

    varentix::MainWindow window;
    window.show();
    return QApplication::exec();
}
