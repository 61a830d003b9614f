#include "app/Startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <clocale>

#include "fe/gdi/FontSubstitution.h"

namespace app {

void PrepareApplication(QApplication& application)
{
    // QApplication has called setlocale(LC_ALL, ""): keep numbers in the C locale.
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());

    fe::gdi::InstallFontSubstitutions();

    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        application.installTranslator(translator);
    else
        delete translator;
}

}  // namespace app
