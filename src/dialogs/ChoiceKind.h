#pragma once

// Which keyword list a CChoice offers; any other value offers none.
enum ChoiceKind : int {
    ChoiceYesNo = 1,
    ChoiceNamespace = 2,
    ChoiceSyncMode = 3,
    ChoiceServerThread = 4,
    ChoiceProtocol = 5,
};
