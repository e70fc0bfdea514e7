#include "core/program/ProgramDocument.h"
#include "core/generator/ProgramFile.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace sono;
using Change = ProgramDocument::Change;

namespace {

struct Document : ::testing::Test {
    GeneratorSettings settings;
    ProgramDocument program{settings};
    QSignalSpy spy{&program, &ProgramDocument::changed};

    // The changes signalled since the last call.
    std::vector<Change> changes() {
        std::vector<Change> seen;
        for (const QList<QVariant>& args : spy)
            seen.push_back(args.at(0).value<Change>());
        spy.clear();
        return seen;
    }
    QStringList column(int c) const {
        QStringList texts;
        for (const GridRowText& row : program.cells())
            texts << row[static_cast<size_t>(c)];
        return texts;
    }
};

} // namespace

TEST_F(Document, EachChangeSignalsOnceAndARefusedOneLeavesEverythingAsItWas) {
    FrequencyBuffer buffer;
    buffer.entries[1].Freq = {300, 100, 0, 7};
    buffer.BufferNext = 2;
    settings.SortMode = 1;
    program.fromBuffer(buffer);
    EXPECT_EQ(changes(), std::vector{Change::FromBuffer});
    EXPECT_EQ(settings.SortMode, 2);

    const std::vector<GridRowText> before = program.cells();
    EXPECT_FALSE(program.insert(1, true, u"", u"5"));
    EXPECT_FALSE(program.remove(3));
    EXPECT_FALSE(program.sort(3));
    EXPECT_FALSE(program.applyCap(u"0.0001", true));
    EXPECT_FALSE(program.generate([](ProgramTable& t) { return makeSweep(t, u"", u"", u"", u""); }));
    EXPECT_TRUE(changes().empty());
    EXPECT_EQ(program.cells(), before);
    EXPECT_EQ(program.stepCount(), 2);

    ASSERT_TRUE(program.insert(1, false, u"50", u"10"));
    program.sort(0);
    program.shiftTimes(-10);
    ASSERT_TRUE(program.remove(1));
    EXPECT_EQ(changes(),
              (std::vector{Change::Inserted, Change::Sorted, Change::TimesShifted, Change::Deleted}));
    EXPECT_EQ(column(2), QStringList({"170", "170"}));

    program.clear();
    EXPECT_EQ(changes(), std::vector{Change::Cleared});
    EXPECT_EQ(program.table().TotalTime, 0);
}

TEST_F(Document, TheArraysAreTakenFromTheGridCellsAsTheyRead) {
    program.load({{3, 100, 60}, {1, 7.83f, 30}, {2, 25000, 10}}, 1);
    program.editCell(1, 2, QStringLiteral("90s"));
    program.editCell(0, 1, QStringLiteral("12.50"));
    program.takeFromGrid();
    EXPECT_EQ(program.table().StepTime[2], 90);
    EXPECT_FLOAT_EQ(program.table().StepFreq[1], 12.5f);
    EXPECT_EQ(program.table().TotalTime, 160);
    EXPECT_EQ(column(1), QStringList({"12.50", "7.83", "25000"})); // the cells keep what was typed

    // No Sort orders by the labels, and the arrays follow the cells row by row.
    program.sort(2);
    EXPECT_EQ(column(1), QStringList({"7.83", "25000", "12.50"}));
    EXPECT_EQ(program.table().StepNo[3], 3);
    EXPECT_FLOAT_EQ(program.table().StepFreq[3], 12.5f);
    EXPECT_EQ(changes(), (std::vector{Change::Loaded, Change::CellEdited, Change::CellEdited,
                                      Change::TakenFromGrid, Change::Sorted}));
}
