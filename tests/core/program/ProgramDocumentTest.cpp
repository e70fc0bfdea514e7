#include "core/program/ProgramDocument.h"
#include "core/generator/ProgramFile.h"
#include "core/program/CapAndDuplicates.h"

#include <gtest/gtest.h>

using namespace sono;
using Change = ProgramDocument::Change;

// A refused change leaves everything as it was; the arrays are taken from the grid cells as they read.
TEST(ProgramDocument, EachChangeSignalsOnceAndARefusedOneChangesNothing) {
    GeneratorSettings settings;
    ProgramDocument program{settings};
    std::vector<Change> changes;
    QObject::connect(&program, &ProgramDocument::changed,
                     [&changes](Change change) { changes.push_back(change); });
    FrequencyBuffer buffer;
    buffer.entries[1].Freq = {300, 100, 0, 7};
    buffer.BufferNext = 2;
    settings.SortMode = 1;
    program.fromBuffer(buffer);
    EXPECT_EQ(settings.SortMode, 2);

    const std::vector<GridRowText> before = program.cells();
    const auto refused = [&](const auto& result, const QString& message) {
        EXPECT_TRUE(!result && result.error().startsWith(message)) << message.toStdString();
        EXPECT_EQ(program.cells(), before) << message.toStdString();
    };
    refused(program.insert(1, true, u"5", u""), "Both Frequency and Time inputs require data!");
    refused(program.insert(1, true, u"1e60", u"5"), "The frequency must be");
    refused(program.insert(1, true, u"5", u"x"), "The time must be");
    refused(program.insert(1, true, u"5", u"40000"), "The time must be");
    for (const char16_t* cap : {u"0", u"-3", u"abc", u" ", u".0004"})
        refused(program.applyCap(cap, true), CapValueErrorText);
    refused(program.remove(3), "");
    refused(program.generate([](ProgramTable& t) { return makeSweep(t, u"", u"", u"", u""); }), "");
    EXPECT_FALSE(program.sort(3));
    EXPECT_EQ(program.cells(), before);
    ASSERT_TRUE(program.insert(1, false, u"50", u"10"));
    program.sort(0);
    program.shiftTimes(-10);
    ASSERT_TRUE(program.remove(1));
    program.clear();
    EXPECT_EQ(changes, (std::vector{Change::FromBuffer, Change::Inserted, Change::Sorted,
                                    Change::TimesShifted, Change::Deleted, Change::Cleared}));
    changes.clear();
    EXPECT_EQ(program.table().TotalTime, 0);

    program.load({{3, 100, 60}, {1, 7.83f, 30}}, 2);
    program.editCell(1, 2, QStringLiteral("90s"));
    program.editCell(0, 1, QStringLiteral("12.50"));
    program.takeFromGrid();
    EXPECT_EQ(program.table().StepNo[1], 3);
    EXPECT_FLOAT_EQ(program.table().StepFreq[1], 12.5f);
    EXPECT_EQ(program.table().TotalTime, 150);
    EXPECT_EQ(program.cells()[0][1], "12.50"); // the cell keeps what was typed
    EXPECT_EQ(changes,
              (std::vector{Change::Loaded, Change::CellEdited, Change::CellEdited, Change::TakenFromGrid}));
}
