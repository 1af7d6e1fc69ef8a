#pragma once

#include "PathDialog.h"

#include <string>

class QLineEdit;
class QPushButton;

// Edits one server path in volume form: an excluded path of a package, the
// log directory, or the path of an application. OK takes the path as typed,
// blanks included, once its trimmed text is in volume form.
class CPath : public PathDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 157;
    static constexpr int kPathId = 1006;
    static constexpr int kBrowseId = 1012;

    explicit CPath(QWidget* parent = nullptr, const PathBrowser* browser = nullptr);

    std::string path; // Windows-1252

    // The path as the log directory keeps it: a non-empty path that does not
    // end in "\" gets one.
    std::string logDirectory() const;

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    QLineEdit* edit_;
};
