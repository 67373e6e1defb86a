#include "model/figure.h"

#include <gtest/gtest.h>

#include "model/catalogue.h"
#include "model/text.h"

namespace kv {
namespace {

TEST(DefaultNames, PointsRunThroughAsciiThenDigits) {
    EXPECT_EQ(DefaultPointName(1), "A");
    EXPECT_EQ(DefaultPointName(26), "Z");
    EXPECT_EQ(DefaultPointName(27), "[");
    EXPECT_EQ(DefaultPointName(33), "a");
    EXPECT_EQ(DefaultPointName(52), "t");
    EXPECT_EQ(DefaultPointName(53), "53");
    EXPECT_EQ(DefaultName(kKindLine, 3), "3");
    EXPECT_EQ(DefaultName(kKindNumber, 3), "");
}

TEST(Reset, EveryPointEntryIsNamedAndAllCountsAreZero) {
    Figure f;
    ResetFigure(f, 30);
    for (int i = 1; i <= 30; ++i) EXPECT_EQ(f.Points[i].name, DefaultPointName(i));
    for (int k = 0; k <= 10; ++k) EXPECT_EQ(f.ObjectCount[k], 0);
    EXPECT_EQ(f.ProcedureCount, 0);
    EXPECT_EQ(f.ProcCode.size(), 61u);
    EXPECT_EQ(f.Points.size(), 31u);
    EXPECT_EQ(f.Points[5].colour, 7);
    EXPECT_EQ(f.Lines[5].name, "");  // lines and circles are named when created
    for (int j = 1; j <= 5; ++j) {
        EXPECT_EQ(f.InputFormFilter[j], -1);
        EXPECT_EQ(f.OutputForm[j], -1);
    }
    EXPECT_EQ(f.LocusPoints.size(), 201u);
}

TEST(Reset, ClearAllObjectsNamesPointsWithoutCountingThem) {
    Figure f;
    f.Points[4].name = "Q";
    f.ObjectCount[1] = 4;
    f.ProcedureCount = 3;
    ClearAllObjects(f);
    EXPECT_EQ(f.Points[4].name, "D");
    EXPECT_EQ(f.ProcedureCount, 0);
}

TEST(Names, AreTrimmedAndCutToTheirFieldInCharacters) {
    Figure f;
    SetName(f, {kKindPoint, 1}, "   ABCDEFGHIJKLMN");
    EXPECT_EQ(f.Points[1].name, "ABCDEFGHIJ");
    SetName(f, {kKindNumber, 1}, std::string(50, 'x'));
    EXPECT_EQ(f.Numbers[1].name, std::string(40, 'x'));
    // Ten Japanese characters fit a ten-character field although they take 30 bytes.
    SetName(f, {kKindLine, 2}, "一二三四五六七八九十百");
    EXPECT_EQ(f.Lines[2].name, "一二三四五六七八九十");
    EXPECT_EQ(CharCount(f.Lines[2].name), 10);
    EXPECT_EQ(PadText("円1", 5), "円1   ");
    SetName(f, {7, 1}, "ignored");  // no such kind: nothing happens
}

TEST(Objects, InitObjectEmptiesTheEntryAndRestoresItsDefaultName) {
    Figure f;
    // An undone free point tied to a line and traced as a locus: the computed point appended
    // at its index next must be neither draggable nor tied nor traced.
    PointRecord& p = f.Points[2];
    p.name = "P";
    p.exists = kTrue;
    p.movable = kTrue;
    p.bindKind = kKindLine;
    p.bindIndex = 3;
    p.mark = 2;
    p.locusColour = 4;
    p.colour = 1;
    InitObject(f, {kKindPoint, 2});
    EXPECT_EQ(p.name, "B");
    EXPECT_EQ(p.exists, 0);
    EXPECT_EQ(p.movable, 0);
    EXPECT_EQ(p.bindKind, 0);
    EXPECT_EQ(p.bindIndex, 0);
    EXPECT_EQ(p.mark, 0);
    EXPECT_EQ(p.locusColour, 0);
    EXPECT_EQ(p.colour, 7);
    f.Lines[1].form = 1;
    f.Lines[1].locusColour = 5;
    InitObject(f, {kKindLine, 1});
    EXPECT_EQ(f.Lines[1].form, 0);
    EXPECT_EQ(f.Lines[1].locusColour, 0);
    EXPECT_EQ(f.Lines[1].name, "1");
    InitObject(f, {kKindCircle, 4});
    EXPECT_EQ(f.Circles[4].name, "4");
    f.Numbers[1].name = "d";
    InitObject(f, {kKindNumber, 1});
    EXPECT_EQ(f.Numbers[1].name, "");
    InitObject(f, {9, 1});  // ignored
}

TEST(Objects, SetOutputsExistStopsAtTheFirstEmptySlot) {
    Figure f;
    int p = AppendProcedure(f, "PC3");
    f.ProcOutput[p][1] = {kKindPoint, 1};
    f.ProcOutput[p][3] = {kKindPoint, 2};  // beyond the empty slot 2: not reached
    SetOutputsExist(f, p, -5);
    EXPECT_EQ(f.Points[1].exists, -5);
    EXPECT_EQ(f.Points[2].exists, 0);

    int q = AppendProcedure(f, "PNEW");
    f.Points[3].exists = kTrue;
    SetOutputsExist(f, q, 0);  // no outputs: nothing changes
    EXPECT_EQ(f.Points[3].exists, kTrue);
}

TEST(Objects, SnapshotCopiesOnlyUsedEntries) {
    Figure f;
    f.ObjectCount[1] = 2;
    f.Points[1].x = 3;
    f.Points[2].x = 4;
    f.Points[3].x = 5;
    TakeSnapshot(f);
    EXPECT_EQ(f.SavedPoints[1].x, 3);
    EXPECT_EQ(f.SavedPoints[2].x, 4);
    EXPECT_EQ(f.SavedPoints[3].x, 0);
}

TEST(Capacity, TablesGrowTogetherPastThirtyKeepingContents) {
    Figure f;
    for (int i = 1; i <= 400; ++i) {
        const int p = AppendProcedure(f, "PNEW");
        ASSERT_EQ(p, i);
        const int pt = AppendObject(f, kKindPoint);
        ASSERT_EQ(pt, i);
        f.Points[pt].x = i;
        f.ProcOutput[p][1] = {kKindPoint, static_cast<i16>(pt)};
    }
    EXPECT_GE(f.Capacity, 400);
    EXPECT_EQ(f.ProcCode.size(), static_cast<size_t>(2 * f.Capacity + 1));
    EXPECT_EQ(f.Lines.size(), static_cast<size_t>(f.Capacity + 1));
    EXPECT_EQ(f.SavedCircles.size(), static_cast<size_t>(f.Capacity + 1));
    for (int i = 1; i <= 400; ++i) {
        EXPECT_EQ(f.Points[i].x, i);
        EXPECT_EQ(f.ProcOutput[i][1].index, i);
        EXPECT_EQ(f.ProcCode[i], "PNEW");
    }
    // Entries added by growth carry their default names like those made by a reset.
    EXPECT_EQ(f.Points[f.Capacity].name, DefaultPointName(f.Capacity));
    EXPECT_EQ(f.Points[f.Capacity].colour, 7);
}

TEST(Capacity, RefusesWhatTheReferencesCannotName) {
    Figure f;
    EXPECT_FALSE(EnsureCapacity(f, kMaxCapacity + 1, 0));
    EXPECT_EQ(f.Capacity, 30);
    EXPECT_TRUE(EnsureCapacity(f, 0, 61));
    EXPECT_GE(2 * f.Capacity, 61);
}

TEST(Catalogue, DisplayNamesAndUnknownCodes) {
    EXPECT_EQ(ProcedureDisplayName("PC2  "), "交点（直線と円）");
    EXPECT_EQ(ProcedureDisplayName("NA3M"), "NA3M");
    EXPECT_EQ(ProcedureDisplayName("LH2+"), "LH2+");
    EXPECT_EQ(ProcedureDisplayName("XYZ"), "XYZ");
    EXPECT_EQ(ProcedureDisplayName("PEXT"), "２点からの延長");
}

TEST(Catalogue, EveryCodeIsUniqueAndSlotKindsAreWellFormed) {
    auto all = CodeCatalogue();
    EXPECT_GE(all.size(), 65u);
    for (size_t a = 0; a < all.size(); ++a) {
        for (size_t b = a + 1; b < all.size(); ++b) EXPECT_NE(all[a].code, all[b].code);
        EXPECT_LE(all[a].code.size(), 5u);
        EXPECT_LE(all[a].inputs.size(), 5u);
        EXPECT_LE(all[a].outputs.size(), 5u);
        for (char c : all[a].inputs) EXPECT_NE(std::string_view("PLCN").find(c), std::string::npos);
        if (all[a].isMacro) {
            EXPECT_EQ(all[a].commandInputs.back(), 'M');
        }
        // Every code is found as itself, also with the blanks of its fixed-width field.
        const std::string code(all[a].code);
        EXPECT_EQ(FindCode(code), &all[a]);
        EXPECT_EQ(FindCode(code + "   "), &all[a]);
        EXPECT_EQ(OperationOf(code), static_cast<i16>(a + 1));
        EXPECT_EQ(FindCode(code + std::string(1, '\0')), nullptr);
        EXPECT_EQ(FindCode(" " + code), nullptr);
        EXPECT_EQ(FindCode(code + code), nullptr);
    }
    for (std::string_view unknown : {"", "   ", "l1", "L", "PNEWX", "12345678", "L1,"})
        EXPECT_EQ(FindCode(unknown), nullptr) << unknown;
    EXPECT_EQ(OperationOf("l1"), 0);
    EXPECT_EQ(FindCode("L6")->outputs, "LL");
    EXPECT_EQ(FindCode("C4")->inputFilter1, 1);
    EXPECT_FALSE(FindCode("CALC")->hasCommand);
    EXPECT_EQ(FindCode("ND2P")->commandOutputs, "#");
}

// Taking the last procedure and the last object away leaves their entries as new ones, so the
// next construction at that place inherits nothing; counts never reach past the tables.
TEST(Figure, RemovingTheLastProcedureAndObjectLeavesFreshEntries) {
    Figure f;
    const int p = AppendProcedure(f, "L1");
    const int a = AppendObject(f, kKindPoint), b = AppendObject(f, kKindPoint);
    const int l = AppendObject(f, kKindLine);
    f.ProcInput[p][1] = {kKindPoint, static_cast<i16>(a)};
    f.ProcOutput[p][1] = {kKindLine, static_cast<i16>(l)};
    f.Points[b].movable = kTrue;
    f.Points[b].bindKind = kKindLine;
    f.Points[b].name = "Q";
    EXPECT_EQ(f.ProcOp[p], OperationOf("L1"));
    RemoveLastProcedure(f);
    EXPECT_EQ(f.ProcedureCount, 0);
    EXPECT_EQ(f.ProcCode[p], "");
    EXPECT_EQ(f.ProcOp[p], 0);
    EXPECT_TRUE(f.ProcInput[p][1].IsEmpty());
    EXPECT_TRUE(f.ProcOutput[p][1].IsEmpty());
    RemoveLastObject(f, kKindPoint);
    EXPECT_EQ(Count(f, kKindPoint), 1);
    EXPECT_EQ(f.Points[b].movable, 0);
    EXPECT_EQ(f.Points[b].bindKind, 0);
    EXPECT_EQ(f.Points[b].name, DefaultPointName(b));
    f.ObjectCount[kKindLine] = static_cast<i16>(f.Capacity + 5);  // as a damaged figure might
    EXPECT_EQ(Count(f, kKindLine), f.Capacity);
    EXPECT_EQ(Count(f, 7), 0);
}

}  // namespace
}  // namespace kv
