#pragma once

// A dialog whose members move into its controls when it opens. The modal
// seam calls it for a dialog that a test runs: such a dialog is never shown.
class DataExchange {
public:
    virtual void exchangeIn() = 0;

protected:
    ~DataExchange() = default;
};
