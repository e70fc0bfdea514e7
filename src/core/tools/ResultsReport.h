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
// written. The record set's position is not touched, so the user's selection survives printing.
QByteArray resultsReportBytes(const FrequencyStore& records, const ReportOptions& options,
                              const QDateTime& when, const std::function<void(int)>& progress = {});

} // namespace sono
