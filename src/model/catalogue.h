#pragma once
// The code catalogue: every procedure code with its display name, the object kinds of its
// stored input and output slots, and how its construction command prepares a row.
// Evaluators, the construction flow, the report and the file reader all read this one table.

#include <span>
#include <string>
#include <string_view>

#include "model/records.h"

namespace kv {

// Slot kinds of a row under construction besides the object kinds 0..3.
constexpr i16 kSlotChosenNumber = 100;  // a number chosen or typed in the number dialog
constexpr i16 kSlotMacroStep = 200;     // ends the inputs of a command code; not an object

struct CodeInfo {
    std::string_view code;
    std::string_view displayName;  // empty: the code is shown as itself
    // Kinds of the stored slots, one letter each: P point, L line, C circle, N number.
    std::string_view inputs;
    std::string_view outputs;
    // The construction command for this code (FillCodeTable), or hasCommand false.
    // Inputs in pick order: P, L, C picked on the figure, N from the number dialog,
    // M the macro step; outputs: P, L, C, # a new number.
    bool hasCommand = false;
    std::string_view commandInputs;
    std::string_view commandOutputs;
    i16 outputForm1 = -1;   // OutputForm(1) written by the command, -1 none
    i16 outputForm2 = -1;   // OutputForm(2)
    i16 inputFilter1 = -1;  // InputFormFilter(1)
    bool isMacro = false;   // a command code that appends ordinary procedures
};

// The whole catalogue, in the order of the code tables.
std::span<const CodeInfo> CodeCatalogue();
// The entry of a code (trailing blanks ignored), or nullptr.
const CodeInfo* FindCode(std::string_view code);
// The operation number of a code: 1 + its position in the catalogue, 0 for a code the
// catalogue does not know. Looked up once when a procedure gets its code, so that evaluation
// dispatches on a number.
i16 OperationOf(std::string_view code);
// The display name of a code; a code without one is returned as it was given.
std::string ProcedureDisplayName(std::string_view code);
// Object kind of a catalogue letter: P 1, L 2, C 3, N and # 0 (as stored).
i16 KindOfLetter(char c);

}  // namespace kv
