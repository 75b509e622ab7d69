#include "ide/debugger/formular_value.h"

namespace ide {

std::string_view eval_code_text(int code) {
    switch (code) {
        case EvalCode::kBufferRange: return "Go beyond the range of data buffer";
        case EvalCode::kValueNotRight: return "value is not right";
        case EvalCode::kCannotDisplay: return "Can not display this value";
        case EvalCode::kNotCompatible: return "the value is not compatible";
        case EvalCode::kBadOperator: return "Option symbol is wrong";
        case EvalCode::kDividedByZero: return "Divided by zero";
        case 0xF016: return "Function is wrong";
        case EvalCode::kUnknownIdentifier: return "Unknow Identifier";
        case EvalCode::kMissLeftBracket: return "Miss left bracket -- '('";
        case EvalCode::kNotMatching: return "Not Matching Identifier";
        case EvalCode::kUncompatibleStyle: return "Uncompatible style";
        case EvalCode::kNameTooLong: return "the length of vairiable'name is too long";
        case EvalCode::kUnmatchingSubvariable: return "Unmacthing subvariable";
        case EvalCode::kBrokenType: return "  ";
        case EvalCode::kMissSubvariable: return "Miss subvariable";
        case EvalCode::kWrongNumber: return "Wrong number style";
        case EvalCode::kMissType: return "Miss symbol '->'";
        case EvalCode::kMissAddress: return "Variable miss address";
        case EvalCode::kNotDebugging: return "is not debuging status";
        default: return "";
    }
}

}  // namespace ide
