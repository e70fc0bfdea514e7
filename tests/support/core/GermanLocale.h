#pragma once

#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <clocale>

// Switches the process to a German desktop (decimal comma in C and in Qt) for the life of the object.
// When the machine has no de_DE locale, one is compiled into a temporary folder with localedef.
class GermanLocale {
public:
    GermanLocale() {
        if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) {
            QProcess::execute(QStringLiteral("localedef"),
                              {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                               QStringLiteral("UTF-8"), dir_.filePath(QStringLiteral("de_DE.UTF-8"))});
            qputenv("LOCPATH", dir_.path().toLocal8Bit());
            std::setlocale(LC_ALL, "de_DE.UTF-8");
        }
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~GermanLocale() {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
        qunsetenv("LOCPATH");
    }

    // The C library really uses the German number form now.
    bool active() const { return std::localeconv()->decimal_point[0] == ','; }

private:
    QTemporaryDir dir_; // also makes the object non-copyable
};
