#pragma once

#include "KeptText.h"
#include "PathDialog.h"
#include "config/SyncJob.h"

#include <functional>
#include <string>
#include <string_view>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;

// Edits one directory job or file job: source and target path, copy mode and
// whether deletions are propagated. OK takes the job when at least one of its
// paths is in volume form.
class CJob : public PathDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 161;
    static constexpr int kSourceId = 1024;
    static constexpr int kSourceBrowseId = 1022;
    static constexpr int kTargetId = 1026;
    static constexpr int kTargetBrowseId = 1023;
    static constexpr int kCopyModeId = 1016;
    static constexpr int kPropagateId = 1018;

    explicit CJob(QWidget* parent = nullptr, const PathBrowser* browser = nullptr);

    std::string copyMode;   // "ALL", "NEW" or another word typed in
    int propagate = 0;      // 1: deletions are propagated
    std::string sourcePath; // Windows-1252
    std::string targetPath; // Windows-1252
    bool forFiles = false;  // a job of the file list: its source is a file

    // Fills the members from a job; propagate is set for exactly "DEL".
    void loadFrom(const SyncJob& job);
    // Writes the members into a job, deletions as "DEL" or "NODEL".
    void applyTo(SyncJob& job) const;
    // "DEL" when propagate is set, else "NODEL".
    std::string deletions() const;
    // 1 for the deletions word "DEL", else 0.
    static int propagateOf(std::string_view deletions);
    // Whether the source Browse lists files as well as folders.
    bool sourceShowsFiles() const { return forFiles; }

    void accept() override;

protected:
    void exchangeValueIn() override;

private:
    void addPathRow(QGridLayout& grid, int row, const QString& label, QLineEdit* field,
                    int browseId, std::function<bool()> showFiles);
    QWidget* buildTransferMode();
    bool refuseCopyMode();

    QLineEdit* source_;
    QLineEdit* target_;
    QComboBox* mode_;
    QCheckBox* propagate_;
    KeptText<int> storedDeletions_;
};
