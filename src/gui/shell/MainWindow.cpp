#include "gui/shell/MainWindow.h"

#include "core/app/AppState.h"
#include "core/app/LogAndNotes.h"
#include "core/app/Platform.h"
#include "core/app/Settings.h"
#include "core/app/SonoConf.h"
#include "core/app/UnreadFiles.h"
#include "core/buffer/BufferOperations.h"
#include "core/common/QuotedFields.h"
#include "core/display/Calibration.h"
#include "core/generator/GeneratorPlayer.h"
#include "core/generator/ProgramFile.h"
#include "gui/database/DatabaseTab.h"
#include "gui/enhancements/EnhancementsPanel.h"
#include "gui/generator/FrequencyManagerPanel.h"
#include "gui/generator/TransportPanel.h"
#include "gui/program/ProgramGridPanel.h"
#include "gui/program/ProgramStrip.h"
#include "gui/shell/FreqGenTab.h"
#include "gui/shell/NotesTab.h"
#include "gui/shell/ScanTab.h"
#include "gui/shell/WindowRegistry.h"
#include "gui/tools/HelpWindows.h"
#include "gui/tools/ToolsMenus.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMenuBar>
#include <QTabWidget>

namespace sono {

namespace {

// Menu-bar letter items: the item names are kept as the program has always had them.
constexpr const char* LetterItemNames[26] = {"a", "B", "C", "D", "E", "F", "g", "H", "i", "j", "k", "l", "m",
                                             "n", "O", "p", "q", "r", "S", "T", "u", "v", "W", "x", "y", "z"};

} // namespace

MainWindow::MainWindow(AppState& state, Platform& platform, QWidget* parent)
    : QMainWindow(parent), state_(state), platform_(platform),
      windows_(new WindowRegistry(this)), services_{state_, platform_, *windows_, requests_, work_, this} {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(state_.BuildTitle.isEmpty() ? AppTitle : state_.BuildTitle);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    tabs_->setAccessibleName(QStringLiteral("Sono tabs"));
    databaseTab_ = new DatabaseTab(services_);
    auto* freqGenTab = new FreqGenTab(services_);
    programPanel_ = freqGenTab->programPanel();
    managerPanel_ = freqGenTab->managerPanel();
    enhancementsPanel_ = freqGenTab->enhancementsPanel();
    transportPanel_ = freqGenTab->transportPanel();
    programStrip_ = freqGenTab->programStrip();
    scanTab_ = new ScanTab(this);
    notesTab_ = new NotesTab(services_);
    tabs_->addTab(databaseTab_, QStringLiteral("Database"));
    tabs_->addTab(freqGenTab, QStringLiteral("FreqGen "));
    tabs_->addTab(scanTab_, QStringLiteral("Scan "));
    tabs_->addTab(notesTab_, QStringLiteral("Notes "));
    setCentralWidget(tabs_);

    wire();
}

MainWindow::~MainWindow() {
    windows_->closeAll();
    delete windows_;
}

void MainWindow::wire() {
    Services& s = services_;
    const MenuItem tools[] = {
        {"FreqConversions", "Frequency Conversions", [&s] { openConversions(s); }},
        {"pLr", "Print Results list", [&s] { openPrintResults(s); }},
        {"RandCDB", "Repair and Compact Database", [this] { databaseTab_->repairAndCompactDatabase(); }},
        {"CalibrateSndCrd", "Calibrate Sound Card", [this] { managerPanel_->openCalibrationWindow(); }},
        {"SetEditorPath", "Set Editor Path", [&s] { openEditorPath(s); }},
        {"AboutSono", "About Sono", [&s] { openAbout(s); }},
        {"HelpandTips", "Help and Tips", [&s] { showHelpAndTips(s); }},
        {"fgKeyCommands", "FreqGen Key Commands", [&s] { showKeyCommands(s); }},
        {"Dorv_Effect", "The Dorv Effect", [&s] { showDorvEffect(s); }},
    };
    buildMenus(tools);

    connect(programPanel_, &ProgramGridPanel::stepsPresent, managerPanel_,
            &FrequencyManagerPanel::setRunEnabled);
    connect(managerPanel_, &FrequencyManagerPanel::loadWindowOpening, programPanel_,
            [this] { programPanel_->setGridActive(true); });
    connect(&requests_, &Requests::programNamed, managerPanel_, &FrequencyManagerPanel::setProgramName);
    connect(&requests_, &Requests::programLoaded, managerPanel_, &FrequencyManagerPanel::loadProgram);
    connect(&requests_, &Requests::databaseChanged, databaseTab_, &DatabaseTab::refreshAfterChange);
    connect(&requests_, &Requests::summaryCleared, enhancementsPanel_, &EnhancementsPanel::clearSummary);
    connect(&requests_, &Requests::summaryAdded, enhancementsPanel_, &EnhancementsPanel::addSummary);

    // The program playing inside Sono: the transport steers it and shows it, the grid marks its step.
    GeneratorPlayer& player = managerPanel_->player();
    connect(transportPanel_, &TransportPanel::commandRequested, &player, &GeneratorPlayer::send);
    connect(transportPanel_, &TransportPanel::stopRequested, &player, &GeneratorPlayer::stop);
    connect(&player, &GeneratorPlayer::statusChanged, this, [this, &player](const PlayStatus& status) {
        transportPanel_->showStatus(status);
        programPanel_->setPlayingStep(player.programStep());
        const ProgramTable& table = state_.program.table();
        std::vector<double> seconds(table.StepTime.begin() + 1, table.StepTime.begin() + 1 + table.StepCount);
        programStrip_->setPlayingPosition(player.programPosition(seconds));
    });
    connect(&player, &GeneratorPlayer::noted, transportPanel_, &TransportPanel::showNote);
    connect(&player, &GeneratorPlayer::ended, this, [this] {
        transportPanel_->showStopped();
        programPanel_->setPlayingStep(0);
        programStrip_->setPlayingPosition(-1);
    });
    connect(&player, &GeneratorPlayer::failed, this,
            [this](const QString& text) { platform_.message(text); });
}

QAction* MainWindow::addMenuItem(QWidget* menu, const QString& objectName, const QString& caption,
                                 const std::function<void()>& opens) {
    auto* action = new QAction(caption, menu);
    action->setObjectName(objectName);
    menu->addAction(action);
    menuActions_.insert(objectName, action);
    connect(action, &QAction::triggered, this, opens);
    return action;
}

void MainWindow::buildMenus(std::span<const MenuItem> toolItems) {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MenuBar"));
    bar->setAccessibleName(QStringLiteral("Menu bar"));

    // Alt and a letter belongs to the 26 letter searches, so Tools and Web have no accelerator; F10
    // opens the menu bar at Tools.
    QMenu* tools = bar->addMenu(QStringLiteral("Tools"));
    tools->setObjectName(QStringLiteral("Tools"));
    for (const MenuItem& item : toolItems)
        addMenuItem(tools, QString::fromLatin1(item.objectName), QString::fromLatin1(item.caption),
                    item.opens);
    tools->addSeparator();
    addMenuItem(tools, QStringLiteral("exit"), QStringLiteral("Exit"), [this] { close(); });

    webMenu_ = bar->addMenu(QStringLiteral("Web"));
    webMenu_->setObjectName(QStringLiteral("Web"));
    for (size_t i = 0; i < WebLinks.size(); ++i) {
        const WebLink link = WebLinks[i];
        QAction* action =
            addMenuItem(webMenu_, QStringLiteral("Web_%1").arg(i), QString::fromUtf8(link.caption),
                        [this, link] { openWebLink(services_, link); });
        action->setToolTip(QString::fromLatin1(link.url));
    }

    for (int i = 0; i < 26; ++i) {
        const QChar letter(u'A' + i);
        QAction* action = addMenuItem(bar, QString::fromLatin1(LetterItemNames[i]),
                                      QStringLiteral("&") + letter, [this, letter] {
                                          state_.SearchText = letter.toLower();
                                          databaseTab_->FrontCharSearch();
                                      });
        action->setToolTip(QStringLiteral("Sets beginning with %1").arg(letter));
    }
    addMenuItem(bar, QStringLiteral("quit"), QStringLiteral("Exit"), [this] { close(); });

    auto* openMenuBar = new QAction(this);
    openMenuBar->setObjectName(QStringLiteral("openMenuBar"));
    openMenuBar->setShortcut(Qt::Key_F10);
    addAction(openMenuBar);
    connect(openMenuBar, &QAction::triggered, bar,
            [bar, tools] { bar->setActiveAction(tools->menuAction()); });
}

void MainWindow::step(const char* message) {
    if (state_.TroubleshootStartup == 1) platform_.message(QString::fromLatin1(message), AppTitle);
}

bool MainWindow::load() {
    step("About to load main form");
    setWindowTitle(state_.BuildTitle);
    resize(sizeHint().expandedTo(QSize(1000, 700)).boundedTo(platform_.screenSize()));
    placeCentred(this, platform_, 150);

    step("About to call App.Path function");
    state_.AppPath = state_.folder.path();

    step("About to change directory to Sono's path");
    QDir::setCurrent(state_.AppPath);
    state_.DatabasePath = state_.filePath(QStringLiteral("freqs.mdb"));
    state_.CurrentQuery = SearchQuery::all().sqlText();

    step("About to initialize Jet Engine");
    step("About to send SQL to Jet Engine");
    step("About to refresh Data Set");
    auto opened = state_.database.open(state_.DatabasePath);
    if (opened) opened = state_.database.refresh(SearchQuery::all());
    if (!opened) {
        platform_.message(opened.error() + QStringLiteral("\n\nSono will close without changing the file."),
                          QStringLiteral("Database ERROR"));
        state_.database.close();
        return false;
    }

    step("About to call file and object initialization");
    FileAndObjectInit();

    step("All done");
    return true;
}

void MainWindow::FileAndObjectInit() {
    databaseTab_->resetSearchOptions();
    clearTheBuffer(state_.buffer);
    removeInterruptedSaves(state_.folder.path(), state_.now());
    loadSettings();
    loadCalibration();
    loadConf();
    loadNotes();
    scanTab_->fillScanList();
    programPanel_->setupGrid();
    programPanel_->selectStartupOptions();
    managerPanel_->selectStartupOptions();
    loadStartupProgram(); // the grid shows it and takes clicks again
    managerPanel_->fgDataBuild();
    enhancementsPanel_->fillChooser();
    scanTab_->drawBaseLine();
    notesTab_->LogDisplay();
}

void MainWindow::loadSettings() {
    const QString path = state_.filePath(QStringLiteral("sono.ini"));
    state_.EditorPath = DefaultEditorPath;
    state_.ClearBufferFirst = 0;
    if (!QFile::exists(path)) {
        if (auto written =
                writeWholeFile(path, settingsFileBytes(state_.EditorPath, state_.ClearBufferFirst));
            !written)
            platform_.message(written.error());
        return;
    }
    auto bytes = readWholeFile(path);
    auto settings = bytes ? parseSettingsFile(*bytes, path) : std::unexpected(bytes.error());
    if (!settings) {
        // The user's file stays as it is; the defaults hold for this run.
        platform_.message(settings.error() + QStringLiteral("\n\nSono goes on with the default settings. ") +
                          markUnreadFile(state_, path));
        return;
    }
    state_.EditorPath = settings->EditorPath;
    if (const auto& clearFirst = settings->ClearBufferFirst) {
        state_.ClearBufferFirst = *clearFirst;
    } else if (auto written = writeWholeFile(path, settingsFileBytes(state_.EditorPath, 0)); !written) {
        platform_.message(written.error());
    }
}

void MainWindow::loadCalibration() {
    const QString path = state_.filePath(QStringLiteral("sono.cal"));
    state_.calibration = Calibration{};
    if (!QFile::exists(path)) {
        if (auto written = writeWholeFile(path, calibrationFileBytes(state_.calibration)); !written)
            platform_.message(written.error());
        return;
    }
    auto bytes = readWholeFile(path);
    auto calibration = bytes ? parseCalibrationFile(*bytes, path) : std::unexpected(bytes.error());
    if (!calibration) {
        platform_.message(calibration.error() + QStringLiteral("\n\nSono goes on without calibration. ") +
                          markUnreadFile(state_, path));
        return;
    }
    state_.calibration = *calibration;
}

void MainWindow::loadConf() {
    // A new file of Sono's own: a missing one is simply all defaults and is written on the first change.
    const QString path = state_.filePath(SonoConfName);
    state_.PlayInTerminal = false;
    if (QFile::exists(path)) {
        auto bytes = readWholeFile(path);
        auto conf = bytes ? parseSonoConf(*bytes, path) : std::unexpected(bytes.error());
        if (conf)
            state_.PlayInTerminal = conf->playInTerminal;
        else
            platform_.message(conf.error() + QStringLiteral("\n\nSono goes on with the default settings. ") +
                              markUnreadFile(state_, path));
    }
    transportPanel_->showSettings();
}

void MainWindow::loadNotes() {
    const QString path = state_.filePath(QStringLiteral("SonoNote.txt"));
    state_.NotesText = FirstNotesText;
    state_.NotesEncoding = TextEncoding::Utf8;
    if (!QFile::exists(path)) {
        if (auto written = writeWholeFile(path, notesFileBytes(state_.NotesText).bytes); !written)
            platform_.message(written.error());
    } else if (auto bytes = readWholeFile(path); !bytes) {
        platform_.message(bytes.error() + QStringLiteral("\n\n") + markUnreadFile(state_, path));
    } else {
        const NotesFile notes = parseNotesFile(*bytes);
        state_.NotesText = notes.text;
        state_.NotesEncoding = notes.encoding;
        if (!notes.inSonoForm)
            platform_.message(
                QStringLiteral("%1 does not hold the notes as one text in double quotes, so the "
                               "notes box shows the whole file.\n\n")
                    .arg(path) +
                markUnreadFile(state_, path));
    }
    notesTab_->showNotes(state_.NotesText);
}

void MainWindow::loadStartupProgram() {
    state_.generator.ProgramName = QStringLiteral("default");
    const QString path = state_.filePath(state_.generator.ProgramName + QStringLiteral(".prg"));
    ProgramFileData program = defaultProgram();
    if (!QFile::exists(path)) {
        if (auto written = writeWholeFile(path, programFileBytes(program)); !written)
            platform_.message(written.error());
    } else {
        auto bytes = readWholeFile(path);
        auto parsed =
            bytes ? parseProgramFile(*bytes, path, ProgramRead::Startup) : std::unexpected(bytes.error());
        if (!parsed) {
            platform_.message(parsed.error() +
                              QStringLiteral("\n\nSono starts with an empty default program. ") +
                              markUnreadFile(state_, path));
        } else {
            program = std::move(*parsed);
            QString told = program.notice.trimmed();
            if (program.stepsLeftOut > 0)
                told +=
                    (told.isEmpty() ? QString() : QStringLiteral("\n\n")) +
                    QStringLiteral("%1 holds %2 steps; a program has at most %3. Sono loaded the first %3 "
                                   "and left out the other %4.")
                        .arg(path, QString::number(ProgramTable::MaxSteps + program.stepsLeftOut),
                             QString::number(ProgramTable::MaxSteps), QString::number(program.stepsLeftOut));
            // Either way the file was read only in part, so it is kept before anything is saved over it.
            if (!told.isEmpty())
                platform_.message(told + QStringLiteral("\n\n") + markUnreadFile(state_, path));
        }
    }
    managerPanel_->applyProgram(program);
}

void MainWindow::unload() {
    if (unloaded_) return;
    unloaded_ = true;
    state_.database.close();
    const QString logPath = state_.filePath(QStringLiteral("sono.log"));
    if (auto appended = appendToFile(logPath, logRecordBytes(state_.now(), ShutdownText)); !appended)
        platform_.message(appended.error());
    windows_->closeAll();
}

bool MainWindow::notesMayClose() {
    // A second close request while the question is open waits for its answer.
    if (askingToClose_) return false;
    if (unloaded_ || !notesTab_->hasUnsavedNotes()) return true;
    askingToClose_ = true;
    const MessageAnswer answer =
        platform_.message(QStringLiteral("The notes have changed since they were last saved.\n\n"
                                         "Save them before Sono closes?"),
                          AppTitle, MessageButtons::SaveDiscardCancel);
    askingToClose_ = false;
    if (answer == MessageAnswer::Cancel) return false;
    if (answer == MessageAnswer::Discard) return true;
    return notesTab_->saveNotes();
}

// Long work going on or a program playing: the user chooses between going on and stopping it; stopping
// waits for it to end.
bool MainWindow::workMayStop() {
    GeneratorPlayer& player = managerPanel_->player();
    if (askingToClose_ || (!work_.busy() && !player.isPlaying())) return !askingToClose_;
    QStringList busyWith;
    if (work_.busy()) busyWith << work_.what();
    if (player.isPlaying()) busyWith << QStringLiteral("playing ") + player.programName();
    askingToClose_ = true;
    const MessageAnswer answer =
        platform_.message(QStringLiteral("Sono is still busy with %1.\n\nStop it and close Sono?")
                              .arg(busyWith.join(QStringLiteral(" and "))),
                          AppTitle, MessageButtons::OkCancel);
    askingToClose_ = false;
    if (answer != MessageAnswer::Ok) return false;
    if (work_.busy()) work_.cancelAndWait();
    player.stop();
    return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!workMayStop() || !notesMayClose()) {
        event->ignore();
        return;
    }
    unload();
    event->accept();
}

} // namespace sono
