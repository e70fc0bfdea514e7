// The quoted-field files: sono.ini, sono.cal, SonoNote.txt and sono.log. Each reader returns for every
// input with a short message or a value, and what it read is written back to bytes that read the same.
#include "FuzzCheck.h"
#include "core/app/LogAndNotes.h"
#include "core/app/Settings.h"
#include "core/common/QuotedFields.h"
#include "core/display/Calibration.h"

#include <cstdint>

namespace {

void checkMessage(const QString& message, const QString& name) {
    FUZZ_CHECK(message.contains(name) && message.size() < 1000);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sono;
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    int lastLine = 1;
    QuotedFieldReader reader(bytes);
    while (const auto field = reader.next()) {
        FUZZ_CHECK(field->line >= lastLine);
        lastLine = field->line;
    }

    const QString ini = QStringLiteral("sono.ini");
    if (const auto settings = parseSettingsFile(bytes, ini)) {
        const auto again = parseSettingsFile(
            settingsFileBytes(settings->EditorPath, settings->ClearBufferFirst.value_or(0)), ini);
        FUZZ_CHECK(again && again->EditorPath == settings->EditorPath);
    } else {
        checkMessage(settings.error(), ini);
    }

    const QString cal = QStringLiteral("sono.cal");
    if (const auto calibration = parseCalibrationFile(bytes, cal)) {
        const auto again = parseCalibrationFile(calibrationFileBytes(*calibration), cal);
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(again->CalibrationOn == calibration->CalibrationOn);
        // Seven digits bring a float back to itself or its neighbour; the file must load again either way.
        for (size_t i = 0; i < calibration->CalTable.size(); ++i)
            FUZZ_CHECK(again->CalTable[i] > 0);
    } else {
        checkMessage(calibration.error(), cal);
    }

    // Any notes file reads as some text; saving that text and reading it back gives the same text, in
    // Sono's own form.
    const NotesFile notes = parseNotesFile(bytes);
    const NotesFile again = parseNotesFile(notesFileBytes(notes.text, notes.encoding).bytes);
    FUZZ_CHECK(again.inSonoForm && again.text == notes.text);

    const LogContents log = parseLog(bytes);
    FUZZ_CHECK(log.when.size() == log.what.size() && log.when.size() <= 500 && log.count >= log.when.size());
    (void)logPaneText(log);
    return 0;
}
