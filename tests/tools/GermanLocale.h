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
        ok_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        if (!ok_) {
            QProcess::execute(QStringLiteral("localedef"),
                              {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                               QStringLiteral("UTF-8"), dir_.filePath(QStringLiteral("de_DE.UTF-8"))});
            qputenv("LOCPATH", dir_.path().toLocal8Bit());
            ok_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
        }
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    }
    ~GermanLocale() {
        std::setlocale(LC_ALL, "C");
        QLocale::setDefault(QLocale::c());
        qunsetenv("LOCPATH");
    }
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;

    // The C library really uses the German number form now.
    bool active() const { return ok_ && std::localeconv()->decimal_point[0] == ','; }

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};
