#pragma once

// Which keyword list a choice row offers; any other value offers none.
enum ChoiceKind : int {
    ChoiceNone = 0,
    ChoiceYesNo = 1,
    ChoiceNamespace = 2,
    ChoiceSyncMode = 3,
    ChoiceServerThread = 4,
    ChoiceProtocol = 5,
};
