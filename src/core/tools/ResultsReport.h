#pragma once

#include "core/database/FrequencyStore.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>

// The results list report (freq.txt): every set of the current record set, one line per item.
namespace sono {

struct ReportOptions {
    bool comments = false;    // Check1
    bool frequencies = false; // Check2
    bool blankLines = false;  // Check3
};

// The frequency text of one record: F1 as its signed text, then ", " and the signed text of each later
// slot above 0. The separator comes even when no earlier slot took part (", " + " 100").
QString MakeFreqStr(const FrequencyRecord& record);

// "Frequency Selection   2:05 pm   5,Dec 2026", in English whatever the locale.
QString reportHeader(const QDateTime& when);

// The whole report, CR LF after each line. `progress(k)` is called before record k (1-based) is
// written; when it returns false the report stops there, cut short. The record set's position is not
// touched, so the user's selection survives printing.
QByteArray resultsReportBytes(const FrequencyStore& records, const ReportOptions& options,
                              const QDateTime& when, const std::function<bool(int)>& progress = {});

// The same report of the sets `query` finds, read through a connection of its own to `databasePath`,
// so that it can run on another thread while the windows keep using theirs.
std::expected<QByteArray, QString> resultsReportBytes(const QString& databasePath, const SearchQuery& query,
                                                      const ReportOptions& options, const QDateTime& when,
                                                      const std::function<bool(int)>& progress);

} // namespace sono
