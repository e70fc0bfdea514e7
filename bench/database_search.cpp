// Start-up, memory and searches on realistic databases of 100,000 and 1,000,000 sets, each against plain
// SQLite doing the same work in this process. The databases are generated once and kept in
// $XDG_CACHE_HOME/sono-bench (or ~/.cache/sono-bench); start-up and memory are measured in fresh child
// processes of this program. Every figure is the median of Runs runs, ours and the baseline alternating.
//   bench_database_search [100k|1m]...
// SONO_BENCH_ONLY=startup,frequency_find,... runs only those figures; SONO_BENCH_ONLY=rebuild measures the
// one-off build of Sono's search tables instead (5 runs at 100k, 3 at 1m).
#include "core/app/AppState.h"
#include "core/app/Platform.h"
#include "core/database/ResultsModel.h"
#include "core/database/Search.h"
#include "core/database/SortKey.h"
#include "gui/shell/MainWindow.h"
#include "gui/shell/Session.h"
#include "gui/shell/SplashWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QRandomGenerator>
#include <QStringListModel>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

using namespace sono;

namespace {

constexpr int Runs = 7;

class QuietPlatform final : public Platform {
public:
    MessageAnswer message(const QString& text, const QString&, MessageButtons) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageAnswer::Ok;
    }
    void beep() override {}
    bool startProgram(const QString&, const QStringList&, const QString&) override { return true; }
    bool openUrl(const QUrl&) override { return true; }
    QString findExecutable(const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QStringList&) override { return {}; }
    QSize screenSize() override { return {1280, 1024}; }
    double logicalDpi() override { return 96.0; }
};

// SONO_BENCH_ONLY=name,name... runs only the figures whose names start so (all when unset).
bool wanted(const char* name) {
    const QStringList only = qEnvironmentVariable("SONO_BENCH_ONLY").split(u',', Qt::SkipEmptyParts);
    return only.isEmpty() || std::any_of(only.begin(), only.end(),
                                         [&](const QString& p) { return QLatin1String(name).startsWith(p); });
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double msSince(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Peak resident memory of this process so far, in MB.
double peakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// ---- Realistic data: names of conditions with qualifiers, a few accented; comments of varied length,
// about 10 % empty; 1 to 40 frequencies, many of them the commonly repeated ones.

const char* const Conditions[] = {
    "Abscess",        "Acne",          "Adenoma",      "Allergy",       "Alzheimer",    "Anemia",
    "Angina",         "Anxiety",       "Arthritis",    "Asthma",        "Back pain",    "Bacteria",
    "Bladder",        "Bronchitis",    "Bursitis",     "Candida",       "Cataract",     "Chlamydia",
    "Cold",           "Colitis",       "Constipation", "Cough",         "Cystitis",     "Dandruff",
    "Dental",         "Depression",    "Dermatitis",   "Diabetes",      "Diarrhea",     "Dizziness",
    "Ear infection",  "Eczema",        "Edema",        "Emphysema",     "Epilepsy",     "Fatigue",
    "Fever",          "Fibromyalgia",  "Flu",          "Gallbladder",   "Gastritis",    "Gingivitis",
    "Glaucoma",       "Gout",          "Hair loss",    "Hay fever",     "Headache",     "Heart",
    "Hemorrhoids",    "Hepatitis",     "Herpes",       "Hiccups",       "Hypertension", "Immune",
    "Impetigo",       "Indigestion",   "Influenza",    "Insomnia",      "Jaundice",     "Joint pain",
    "Kidney",         "Laryngitis",    "Liver",        "Lumbago",       "Lyme",         "Malaria",
    "Measles",        "Memory",        "Migraine",     "Mononucleosis", "Mumps",        "Muscle",
    "Nausea",         "Nerve",         "Neuralgia",    "Obesity",       "Osteoporosis", "Otitis",
    "Pain",           "Parasites",     "Pneumonia",    "Prostate",      "Psoriasis",    "Relaxation",
    "Rheumatism",     "Rhinitis",      "Sciatica",     "Shingles",      "Sinusitis",    "Sleep",
    "Staphylococcus", "Streptococcus", "Stress",       "Tendonitis",    "Throat",       "Thyroid",
    "Tinnitus",       "Tonsillitis",   "Toothache",    "Ulcer",         "Urinary",      "Vertigo",
    "Virus",          "Warts",         "Wound",        "Yeast",         "Zoster",       "Ärger",
    "Élan",           "Übelkeit",      "Ödem",         "élan vital",    "Øre",          "Ångest"};
const char* const Qualifiers[] = {"general", "chronic", "acute", "secondary", "(Rife)", "(CAFL)",
                                  "(XTRA)",  "v2",      "v3",    "complex",   "relief", "support",
                                  "detox",   "program", "set",   "1",         "2",      "3"};
const char* const Words[] = {"use",    "for",      "minutes", "each",    "daily",    "the",      "with",
                             "and",    "sweep",    "rife",    "octave",  "research", "reported", "by",
                             "user",   "list",     "from",    "old",     "new",      "see",      "notes",
                             "repeat", "harmonic", "session", "twice",   "morning",  "evening",  "mode",
                             "square", "wave",     "gating",  "carrier", "bracket",  "clinic",   "healing",
                             "energy", "balance",  "organ",   "tissue",  "blood",    "cells",    "calm"};
// The commonly repeated frequencies and how often a slot holds each.
const std::pair<double, double> Common[] = {
    {528, 0.0041}, {7.83, 0.0035}, {10000, 0.003}, {727, 0.0028},  {787, 0.0026},  {880, 0.0025},
    {20, 0.0024},  {2720, 0.0022}, {2489, 0.002},  {1800, 0.002},  {5000, 0.0019}, {3000, 0.0018},
    {95, 0.0017},  {125, 0.0016},  {800, 0.0016},  {1550, 0.0015}, {802, 0.0015},  {10, 0.0014},
    {40, 0.0014},  {432, 0.0013},  {444, 0.0013},  {465, 0.0012},  {660, 0.0012},  {690, 0.0011},
    {1.2, 0.0011}, {2.5, 0.001},   {3.5, 0.001},   {6.8, 0.001},   {72, 0.001},    {304, 0.001}};

bool generateDatabase(const QString& path, int sets) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) return false;
    QByteArray schema = "CREATE TABLE Main (Description TEXT, Comments TEXT NULL";
    QByteArray insert = "INSERT INTO Main VALUES (?1, ?2";
    for (int slot = 1; slot <= 40; ++slot) {
        schema += ", F" + QByteArray::number(slot) + " REAL DEFAULT 0";
        insert += ", ?" + QByteArray::number(slot + 2);
    }
    schema += ")";
    insert += ")";
    sqlite3_exec(db, schema.constData(), nullptr, nullptr, nullptr);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, insert.constData(), -1, &stmt, nullptr);
    QRandomGenerator random(4711);
    const auto pick = [&](const auto& list) {
        return list[random.bounded(static_cast<int>(std::size(list)))];
    };
    for (int i = 0; i < sets; ++i) {
        QString description = QString::fromUtf8(pick(Conditions));
        for (int q = static_cast<int>(random.bounded(3)); q > 0; --q)
            description += u' ' + QString::fromLatin1(pick(Qualifiers));
        if (random.bounded(3) == 0) description += u' ' + QString::number(random.bounded(1, 500));
        const int casing = static_cast<int>(random.bounded(20));
        if (casing < 2) description = description.toLower();
        if (casing == 2) description = description.toUpper();
        const QByteArray descriptionBytes = description.toUtf8();
        sqlite3_bind_text(stmt, 1, descriptionBytes.constData(), -1, SQLITE_TRANSIENT);
        QByteArray comments;
        const int kind = static_cast<int>(random.bounded(20));
        if (kind == 0) {
            sqlite3_bind_null(stmt, 2);
        } else if (kind == 1) {
            sqlite3_bind_text(stmt, 2, "", 0, SQLITE_STATIC);
        } else {
            for (int w = static_cast<int>(random.bounded(3, 40)); w > 0; --w)
                comments += QByteArray(comments.isEmpty() ? "" : " ") + pick(Words);
            sqlite3_bind_text(stmt, 2, comments.constData(), -1, SQLITE_TRANSIENT);
        }
        const int used = 1 + static_cast<int>(random.bounded(40));
        for (int slot = 0; slot < 40; ++slot) {
            double value = 0;
            if (slot < used) {
                double u = random.generateDouble();
                value = -1;
                for (const auto& [frequency, share] : Common) {
                    if (u < share) {
                        value = frequency;
                        break;
                    }
                    u -= share;
                }
                if (value < 0) {
                    value = 1 + random.bounded(20000);
                    if (random.bounded(4) == 0) value += random.bounded(100) / 100.0;
                }
            }
            sqlite3_bind_double(stmt, 3 + slot, value);
        }
        sqlite3_step(stmt);
        sqlite3_reset(stmt);
    }
    sqlite3_finalize(stmt);
    const bool ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

QString cacheFolder() {
    QString base = qEnvironmentVariable("XDG_CACHE_HOME");
    if (base.isEmpty() && !qEnvironmentVariable("HOME").isEmpty()) base = QDir::homePath() + "/.cache";
    if (base.isEmpty()) base = QStringLiteral("/tmp");
    QDir().mkpath(base + "/sono-bench");
    return base + "/sono-bench";
}

// The generated database, with Sono's search tables already added (the first open adds them; that
// one-off cost is printed when it happens).
std::optional<QString> preparedDatabase(int sets, const QString& label) {
    const QString folder = cacheFolder();
    const QString plain = folder + QStringLiteral("/freqs-%1-v1.mdb").arg(label);
    const QString ready = folder + QStringLiteral("/freqs-%1-v1-sono1.mdb").arg(label);
    if (QFile::exists(ready)) return ready;
    if (!QFile::exists(plain)) {
        std::fprintf(stderr, "generating %d sets in %s\n", sets, qPrintable(plain));
        if (!generateDatabase(plain + ".tmp", sets) || !QFile::rename(plain + ".tmp", plain))
            return std::nullopt;
    }
    QFile::remove(ready + ".tmp");
    if (!QFile::copy(plain, ready + ".tmp")) return std::nullopt;
    QElapsedTimer timer;
    timer.start();
    {
        FrequencyStore store;
        if (auto opened = store.open(ready + ".tmp"); !opened) {
            std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
            return std::nullopt;
        }
    }
    std::printf("search_tables_build_%s: %.0f ms (once per database)\n", qPrintable(label), msSince(timer));
    if (!QFile::rename(ready + ".tmp", ready)) return std::nullopt;
    return ready;
}

// ---- Child processes: one start-up each, so that peak memory is that of one run.

// A plain-SQLite start-up: open, check table Main, count; a window of the same size shown.
void baselineStartup(const QString& path, bool listAll, QElapsedTimer& timer) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT Description, Comments, F1, F40 FROM Main LIMIT 1", -1, &stmt, nullptr);
    sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    sqlite3_prepare_v2(db, "SELECT count(*) FROM Main", -1, &stmt, nullptr);
    sqlite3_step(stmt);
    sqlite3_finalize(stmt);
    QStringList lines;
    if (listAll) {
        // The floor of listing: row id and description of every set, in list order.
        std::vector<long long> ids;
        sqlite3_prepare_v2(db,
                           "SELECT o.id, m.Description FROM sono_order o JOIN Main m ON m.rowid = o.id "
                           "ORDER BY o.key, o.id",
                           -1, &stmt, nullptr);
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            ids.push_back(sqlite3_column_int64(stmt, 0));
            lines.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))));
        }
        sqlite3_finalize(stmt);
    }
    QStringListModel model(lines);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    view.resize(1000, 700);
    view.show();
    QApplication::processEvents();
    view.grab();
    std::printf("%.3f %.1f\n", msSince(timer), peakMegabytes());
    sqlite3_close(db);
}

int child(const QString& mode, const QString& path) {
    QElapsedTimer timer;
    if (mode.endsWith(QStringLiteral("baseline"))) {
        timer.start();
        baselineStartup(path, mode.startsWith(QStringLiteral("list")), timer);
        return 0;
    }
    // Sono on an application folder holding only the database: Proceed, then the idle main window.
    QTemporaryDir folder;
    QFile::link(path, folder.filePath(QStringLiteral("freqs.mdb")));
    QuietPlatform platform;
    AppState state;
    state.folder = AppFolder(folder.path());
    Session session(state, platform);
    session.start();
    auto* proceed = session.splash()->findChild<QAbstractButton*>(QStringLiteral("Command1"));
    proceed->setEnabled(true);
    timer.start();
    proceed->click();
    MainWindow* main = session.mainWindow();
    if (!main) return 1;
    QApplication::processEvents();
    main->grab();
    if (mode == QStringLiteral("list")) {
        // Find "" on Description lists every set.
        main->findChild<QLineEdit*>(QStringLiteral("Text1"))->clear();
        main->findChild<QCheckBox*>(QStringLiteral("Check1_0"))->setChecked(true);
        main->findChild<QAbstractButton*>(QStringLiteral("Command1"))->click();
        QApplication::processEvents();
        main->grab();
    }
    std::printf("%.3f %.1f\n", msSince(timer), peakMegabytes());
    return 0;
}

// Runs the child of each side Runs times, alternating; medians of time and peak memory.
struct ChildFigures {
    double ms[2];
    double mb[2];
};
ChildFigures children(const QString& mode, const QString& path) {
    std::vector<double> ms[2], mb[2];
    for (int run = 0; run < Runs; ++run) {
        for (int side = 0; side < 2; ++side) {
            QProcess process;
            process.start(
                QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), side == 0 ? mode : mode + QStringLiteral("-baseline"), path});
            process.waitForFinished(-1);
            const QList<QByteArray> out = process.readAllStandardOutput().trimmed().split(' ');
            if (process.exitCode() != 0 || out.size() != 2) {
                std::fprintf(stderr, "child %s failed: %s\n", qPrintable(mode),
                             process.readAllStandardError().constData());
                return {{-1, -1}, {-1, -1}};
            }
            ms[side].push_back(out[0].toDouble());
            mb[side].push_back(out[1].toDouble());
        }
    }
    return {{median(ms[0]), median(ms[1])}, {median(mb[0]), median(mb[1])}};
}

void line(const QString& name, double ours, const char* baseline, double theirs, const char* unit) {
    std::printf("%s: %.1f %s vs %s: %.1f %s = %.2f x\n", qPrintable(name), ours, unit, baseline, theirs, unit,
                ours / theirs);
    std::fflush(stdout);
}

// ---- Searches in this process: Sono's search with its list shown, against plain SQLite.

struct Baseline {
    sqlite3* db = nullptr;
    explicit Baseline(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    }
    ~Baseline() { sqlite3_close(db); }

    // The ids of a query and, when asked, the descriptions of its first `shown` lines.
    std::pair<std::vector<long long>, QStringList> run(const QByteArray& sql,
                                                       const std::function<void(sqlite3_stmt*)>& bind,
                                                       int shown, bool readAllDescriptions = false) const {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "baseline: %s\n", sqlite3_errmsg(db));
        if (bind) bind(stmt);
        std::vector<long long> ids;
        QStringList lines;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            ids.push_back(sqlite3_column_int64(stmt, 0));
            if (readAllDescriptions)
                lines.append(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 1))));
        }
        sqlite3_finalize(stmt);
        if (!readAllDescriptions) {
            sqlite3_prepare_v2(db, "SELECT Description FROM Main WHERE rowid = ?1", -1, &stmt, nullptr);
            for (int k = 0; k < std::min<int>(shown, static_cast<int>(ids.size())); ++k) {
                sqlite3_bind_int64(stmt, 1, ids[static_cast<size_t>(k)]);
                if (sqlite3_step(stmt) == SQLITE_ROW)
                    lines.append(
                        QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))));
                sqlite3_reset(stmt);
            }
            sqlite3_finalize(stmt);
        }
        return {std::move(ids), std::move(lines)};
    }
};

struct Bench {
    AppState state;
    QListView view;
    ResultsModel* model = nullptr;
    QListView baselineView;
    QStringListModel baselineModel;
    std::unique_ptr<Baseline> baseline;
    QString label;

    int visibleLines() const { return view.height() / std::max(1, view.sizeHintForRow(0)) + 1; }

    void search(const char* name, const SearchQuery& query, const QByteArray& sql,
                const std::function<void(sqlite3_stmt*)>& bind, const QByteArray& floorSql) {
        if (!wanted(name)) return;
        std::vector<double> ours, theirs, floor;
        int found = 0;
        size_t baselineFound = 0;
        for (int run = 0; run < Runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            auto count = runSearch(state, query);
            if (!count) {
                std::fprintf(stderr, "%s: %s\n", name, qPrintable(count.error()));
                return;
            }
            model->showRecordSet();
            view.grab();
            ours.push_back(msSince(timer));
            found = *count;

            timer.start();
            auto [ids, lines] = baseline->run(sql, bind, visibleLines());
            baselineModel.setStringList(lines);
            baselineView.grab();
            theirs.push_back(msSince(timer));
            baselineFound = ids.size();

            timer.start();
            auto all = baseline->run(floorSql, bind, 0, true);
            floor.push_back(msSince(timer));
        }
        const QString full = QString::fromLatin1(name) + u'_' + label;
        line(full, median(ours), "sqlite_in_process", median(theirs), "ms");
        line(full, median(ours), "sqlite_rowid_description_sorted", median(floor), "ms");
        std::printf("%s_sets: %d sets (baseline %zu)\n", qPrintable(full), found, baselineFound);
    }
};

// Sono's additions built on open of a copy of the generated database that has none, against plain SQLite
// writing a compacted copy of the same database (VACUUM INTO): a yardstick of writing that much data.
// A one-off cost, so fewer runs at a million sets.
void rebuildFigure(const QString& label) {
    const QString plain = cacheFolder() + QStringLiteral("/freqs-%1-v1.mdb").arg(label);
    if (!QFile::exists(plain)) return;
    const int runs = label == QStringLiteral("1m") ? 3 : 5;
    QTemporaryDir folder(cacheFolder() + QStringLiteral("/rebuild-XXXXXX"));
    const QString copy = folder.filePath(QStringLiteral("freqs.mdb"));
    std::vector<double> ours, theirs;
    qint64 built = 0;
    for (int run = 0; run < runs; ++run) {
        QFile::remove(copy);
        if (!QFile::copy(plain, copy)) return;
        QElapsedTimer timer;
        timer.start();
        {
            FrequencyStore store;
            if (auto opened = store.open(copy); !opened) {
                std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
                return;
            }
        }
        ours.push_back(msSince(timer));
        built = QFileInfo(copy).size();
        QFile::remove(copy);
        timer.start();
        sqlite3* db = nullptr;
        sqlite3_open_v2(plain.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_exec(db, QByteArray("VACUUM INTO '" + copy.toUtf8() + "'").constData(), nullptr, nullptr,
                     nullptr);
        sqlite3_close(db);
        theirs.push_back(msSince(timer));
    }
    std::printf("rebuild_search_tables_%s_file: %.0f MB from %.0f MB\n", qPrintable(label),
                static_cast<double>(built) / 1e6, static_cast<double>(QFileInfo(plain).size()) / 1e6);
    line(QStringLiteral("rebuild_search_tables_") + label, median(ours), "sqlite_vacuum_into_copy",
         median(theirs), "ms");
    std::printf("rebuild_search_tables_%s_runs: %d\n", qPrintable(label), runs);
}

int measure(int sets, const QString& label) {
    if (qEnvironmentVariable("SONO_BENCH_ONLY").contains(QStringLiteral("rebuild"))) {
        rebuildFigure(label);
        return 0;
    }
    const auto path = preparedDatabase(sets, label);
    if (!path) {
        std::fprintf(stderr, "no database for %s\n", qPrintable(label));
        return 1;
    }
    if (wanted("startup")) {
        const ChildFigures startup = children(QStringLiteral("startup"), *path);
        line(QStringLiteral("startup_") + label, startup.ms[0], "sqlite_open_check_count", startup.ms[1],
             "ms");
        line(QStringLiteral("startup_memory_") + label, startup.mb[0], "sqlite_open_check_count",
             startup.mb[1], "MB");
        {
            // The database part of start-up alone: Sono's open, check and count against plain SQLite's.
            std::vector<double> ours, theirs;
            for (int run = 0; run < Runs; ++run) {
                QElapsedTimer timer;
                timer.start();
                {
                    FrequencyStore store;
                    if (!store.open(*path) || !store.refresh(SearchQuery::all())) return 1;
                }
                ours.push_back(msSince(timer));
                timer.start();
                sqlite3* db = nullptr;
                sqlite3_open_v2(path->toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
                for (const char* sql : {"SELECT Description, Comments, F1, F40 FROM Main LIMIT 1",
                                        "SELECT count(*) FROM Main"}) {
                    sqlite3_stmt* stmt = nullptr;
                    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
                    sqlite3_step(stmt);
                    sqlite3_finalize(stmt);
                }
                sqlite3_close(db);
                theirs.push_back(msSince(timer));
            }
            line(QStringLiteral("startup_database_") + label, median(ours), "sqlite_open_check_count",
                 median(theirs), "ms");
        }
    }
    if (wanted("list_all")) {
        const ChildFigures list = children(QStringLiteral("list"), *path);
        line(QStringLiteral("list_all_memory_") + label, list.mb[0], "sqlite_rowid_description_sorted",
             list.mb[1], "MB");
    }

    Bench bench;
    bench.label = label;
    if (auto opened = bench.state.database.open(*path); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        return 1;
    }
    bench.baseline = std::make_unique<Baseline>(*path);
    bench.model = new ResultsModel(bench.state.database, &bench.view);
    for (QListView* view : {&bench.view, &bench.baselineView}) {
        view->setUniformItemSizes(true);
        view->resize(400, 500);
        view->show();
    }
    bench.view.setModel(bench.model);
    bench.baselineView.setModel(&bench.baselineModel);

    const QByteArray low = primarySortKey(QStringLiteral("m"));
    const QByteArray high = "n";
    const auto bindRange = [&](sqlite3_stmt* s) {
        sqlite3_bind_blob(s, 1, low.constData(), static_cast<int>(low.size()), SQLITE_TRANSIENT);
        sqlite3_bind_blob(s, 2, high.constData(), static_cast<int>(high.size()), SQLITE_TRANSIENT);
    };
    // Letters ignore case only: the description (after the key's 0 byte, or the key itself) starts with m.
    const QByteArray letterWhere =
        "o.key >= ?1 AND o.key < ?2 AND lower(substr(o.key, instr(o.key, x'00') + 1, 1)) = 'm'";
    bench.search("letter_search", SearchQuery::letter(QStringLiteral("m")),
                 "SELECT o.id FROM sono_order o WHERE " + letterWhere + " ORDER BY o.key, o.id", bindRange,
                 "SELECT o.id, m.Description FROM sono_order o JOIN Main m ON m.rowid = o.id WHERE " +
                     letterWhere + " ORDER BY o.key, o.id");

    // Finds: plain SQLite finds the hits and orders them with the same sort-key table.
    const auto find = [&](const char* name, const SearchQuery& query, const QByteArray& hits,
                          const std::function<void(sqlite3_stmt*)>& bind) {
        const QByteArray where = " WHERE o.id IN (" + hits + ") ORDER BY o.key, o.id";
        bench.search(name, query, "SELECT o.id FROM sono_order o" + where, bind,
                     "SELECT o.id, m.Description FROM sono_order o JOIN Main m ON m.rowid = o.id" + where);
    };
    const auto bindText = [](const char* text) {
        return [pattern = QByteArray("%") + text + "%"](sqlite3_stmt* s) {
            sqlite3_bind_text(s, 1, pattern.constData(), -1, SQLITE_TRANSIENT);
        };
    };
    find("description_find", SearchQuery::find(QStringLiteral("pain"), true, false, false),
         "SELECT rowid FROM Main WHERE Description LIKE ?1", bindText("pain"));
    find("comment_find", SearchQuery::find(QStringLiteral("octave"), false, true, false),
         "SELECT rowid FROM Main WHERE Comments LIKE ?1", bindText("octave"));
    find("frequency_find", SearchQuery::find(QStringLiteral("528"), false, false, true),
         "SELECT id FROM sono_freq WHERE freq BETWEEN ?1 AND ?2", [](sqlite3_stmt* s) {
             sqlite3_bind_double(s, 1, 527.99997);
             sqlite3_bind_double(s, 2, 528.00003);
         });
    if (wanted("frequency_find_first")) {
        // The first large Find after start-up or a change has no list order at hand.
        std::vector<double> ours, theirs;
        for (int run = 0; run < Runs; ++run) {
            FrequencyStore store;
            if (!store.open(*path)) return 1;
            QElapsedTimer timer;
            timer.start();
            if (!store.refresh(SearchQuery::find(QStringLiteral("528"), false, false, true))) return 1;
            ours.push_back(msSince(timer));
            timer.start();
            bench.baseline->run(
                "SELECT o.id FROM sono_order o WHERE o.id IN (SELECT id FROM sono_freq WHERE freq "
                "BETWEEN ?1 AND ?2) ORDER BY o.key, o.id",
                [](sqlite3_stmt* s) {
                    sqlite3_bind_double(s, 1, 527.99997);
                    sqlite3_bind_double(s, 2, 528.00003);
                },
                0);
            theirs.push_back(msSince(timer));
        }
        line(QStringLiteral("frequency_find_first_") + label, median(ours), "sqlite_in_process",
             median(theirs), "ms");
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && QByteArray(argv[1]) == "--child") {
        QApplication app(argc, argv);
        return child(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QApplication app(argc, argv);
    QStringList sizes = app.arguments().mid(1);
    if (sizes.isEmpty()) sizes = {QStringLiteral("100k"), QStringLiteral("1m")};
    int status = 0;
    for (const QString& size : sizes)
        status |= measure(size == QStringLiteral("1m") ? 1000000 : 100000, size);
    return status;
}
