#pragma once

#include "core/buffer/FrequencyBuffer.h"
#include "core/common/AppFolder.h"
#include "core/common/TextEncoding.h"
#include "core/database/FrequencyStore.h"
#include "core/display/Calibration.h"
#include "core/enhancements/ProgramGenerators.h"
#include "core/generator/GeneratorSettings.h"
#include "core/program/ProgramDocument.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

namespace sono {

inline const QString BuildVersionText = QStringLiteral("05.01.16");

// Everything that lives for the whole run, created by main and handed by reference to each window.
struct AppState {
    // Application shell
    AppFolder folder; // the application folder; files in it are found whatever the case of their names
    QString AppPath;
    QString DatabasePath;
    QString CurrentQuery;
    QString SearchText;
    qint16 LetterSearchFlag = 0;
    qint16 ResultCount = 0;
    QString RecordFreqText;
    qint16 EditorMode = 0;
    QString NotesText;
    TextEncoding NotesEncoding = TextEncoding::Utf8; // the notes file is written back as it was read
    QString BuildVersion;
    QString BuildTitle;
    qint16 TroubleshootStartup = 0;
    QString EditorPath;
    qint16 ClearBufferFirst = 0;
    bool PlayInTerminal = false; // sono.conf: Run starts freqgen in a terminal window, the old way
    qint32 LogCount = 0;
    QStringList LogWhen;
    QStringList LogWhat;
    // Files that failed to load at start-up (fully or in part); each is kept as "<name>.bak" before
    // the first save over it.
    QStringList UnreadFiles;

    // Subsystems
    FrequencyStore database;
    FrequencyBuffer buffer;
    GeneratorSettings generator;
    ProgramDocument program{generator}; // the table, its grid texts and OutFreq
    GeneratorMemory enhancementMemory;  // the last Nuke'em target and meditation notes
    Calibration calibration;

    // The clock reports read; tests fix it.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };

    QString filePath(const QString& name) const { return folder.filePath(name); }
};

} // namespace sono
