#pragma once

#include "dialogs/ValueDialog.h"

#include <string>
#include <string_view>

class PathBrowser;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QVBoxLayout;

// Edits one task of a task file: the source and target paths, each with a
// Browse button, and the three transfer flags. OK refuses a path the file
// cannot hold and a task with neither path on a workstation drive.
class CTaskEdit : public ValueDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 168;
    static constexpr int kSourceId = 1024;
    static constexpr int kSourceBrowseId = 1022;
    static constexpr int kTargetId = 1026;
    static constexpr int kTargetBrowseId = 1023;
    static constexpr int kOverwriteNewerId = 1014;
    static constexpr int kOverwriteReadonlyId = 1015;
    static constexpr int kRemoveStaleId = 1017;

    // Without a browser the Browse buttons do nothing.
    explicit CTaskEdit(QWidget* parent = nullptr, const PathBrowser* browser = nullptr);

    // Windows-1252 texts as typed; flags 0 or 1.
    std::string sourcePath;
    std::string targetPath;
    int overwriteNewer = 0;
    int overwriteReadonly = 0;
    int removeStale = 0;

    // The task as the file stores it.
    std::string taskText() const;

    // Why the file could not hold `path` as one word; empty when it can.
    static std::string storageProblem(std::string_view path, std::string_view name);
    // A drive path such as C:\DATA, or a path without a volume.
    static bool onWorkstationDrive(std::string_view path);

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    void exchangeOut();
    // Refuses OK for a path the file cannot hold; true when it did.
    bool refuseUnstorable(const std::string& problem, QLineEdit* box);
    QLineEdit* addPathRow(QGridLayout& grid, int row, const QString& label, int editId,
                          int browseId, const PathBrowser* browser);
    QCheckBox* addFlag(QVBoxLayout& box, const QString& label, int id);

    QLineEdit* source_ = nullptr;
    QLineEdit* target_ = nullptr;
    QCheckBox* newer_ = nullptr;
    QCheckBox* readonly_ = nullptr;
    QCheckBox* stale_ = nullptr;
};
