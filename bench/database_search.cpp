// Searches on a generated database of 100,000 sets, each timed with its list filling beside the same
// query run by the sqlite3 shell on the same file.
#include "app/AppState.h"
#include "database/DatabaseTab.h"
#include "database/Search.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>
#include <vector>

using namespace sono;

namespace {

constexpr int SetCount = 100000;
constexpr int Runs = 7;

const char* const Words[] = {"alpha", "brain",  "calm",  "delta",  "energy", "focus", "gamma",
                             "heal",  "immune", "joint", "kidney", "liver",  "mood",  "nerve",
                             "organ", "pain",   "quiet", "relax",  "sleep",  "theta", "ulcer",
                             "vital", "wave",   "xeno",  "yeast",  "zen"};

bool createDatabase(const QString& path) {
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
    for (int i = 0; i < SetCount; ++i) {
        const QByteArray description = QByteArray(Words[random.bounded(26)]) + ' ' +
                                       Words[random.bounded(26)] + ' ' + QByteArray::number(i);
        const QByteArray comments = QByteArray("Set for ") + Words[random.bounded(26)] + " and " +
                                    Words[random.bounded(26)] + ", from the archive";
        sqlite3_bind_text(stmt, 1, description.constData(), -1, SQLITE_TRANSIENT);
        if (i % 10 == 0)
            sqlite3_bind_null(stmt, 2);
        else
            sqlite3_bind_text(stmt, 2, comments.constData(), -1, SQLITE_TRANSIENT);
        const int used = 1 + static_cast<int>(random.bounded(40));
        for (int slot = 0; slot < 40; ++slot) {
            const double value =
                slot < used ? 1 + random.bounded(20000) + (random.bounded(4) == 0 ? 0.5 : 0.0) : 0;
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

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

QString cliSql(const QString& where) {
    QString sql = QStringLiteral("SELECT rowid, Description, Comments");
    for (int slot = 1; slot <= 40; ++slot)
        sql += QStringLiteral(", F%1").arg(slot);
    return sql + QStringLiteral(" FROM Main WHERE ") + where +
           QStringLiteral(" ORDER BY Description COLLATE NOCASE, rowid;");
}

double cliMilliseconds(const QString& sqlite3Program, const QString& path, const QString& sql) {
    std::vector<double> times;
    for (int run = 0; run < Runs; ++run) {
        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        QElapsedTimer timer;
        timer.start();
        process.start(sqlite3Program, {path, sql});
        process.waitForFinished(-1);
        times.push_back(timer.nsecsElapsed() / 1e6);
        if (process.exitCode() != 0) std::fprintf(stderr, "sqlite3 failed: %s\n", qPrintable(sql));
    }
    return median(times);
}

void compare(const char* name, AppState& state, QListWidget& list, const SearchQuery& query,
             const QString& sqlite3Program, const QString& path, const QString& cliWhere) {
    std::vector<double> times;
    qsizetype found = 0;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto lines = runSearch(state, query);
        if (!lines) {
            std::fprintf(stderr, "%s failed: %s\n", name, qPrintable(lines.error()));
            return;
        }
        showLines(&list, *lines);
        times.push_back(timer.nsecsElapsed() / 1e6);
        found = lines->size();
    }
    const double ours = median(times);
    const double cli = cliMilliseconds(sqlite3Program, path, cliSql(cliWhere));
    std::printf("%s: %.1f ms vs sqlite3_cli: %.1f ms = %.2f x\n", name, ours, cli, ours / cli);
    std::printf("%s_records: %lld records\n", name, static_cast<long long>(found));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString sqlite3Program = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (sqlite3Program.isEmpty()) {
        std::fprintf(stderr, "the sqlite3 shell is needed for the baseline\n");
        return 1;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("freqs.mdb"));
    if (!createDatabase(path)) {
        std::fprintf(stderr, "could not create %s\n", qPrintable(path));
        return 1;
    }
    AppState state;
    if (auto opened = state.database.open(path); !opened) {
        std::fprintf(stderr, "%s\n", qPrintable(opened.error()));
        return 1;
    }
    QListWidget list;
    list.setUniformItemSizes(true);
    list.resize(400, 500);
    list.show();

    compare("letter_search_fill", state, list, SearchQuery::letter(QStringLiteral("m")), sqlite3Program, path,
            QStringLiteral("Description LIKE 'm%'"));
    compare("description_find_fill", state, list,
            SearchQuery::find(QStringLiteral("heal"), true, false, false), sqlite3Program, path,
            QStringLiteral("Description LIKE '%heal%'"));
    QString frequencyWhere = QStringLiteral("F1 = 528");
    for (int slot = 2; slot <= 40; ++slot)
        frequencyWhere += QStringLiteral(" OR F%1 = 528").arg(slot);
    compare("frequency_find_fill", state, list, SearchQuery::find(QStringLiteral("528"), false, false, true),
            sqlite3Program, path, frequencyWhere);
    return 0;
}
