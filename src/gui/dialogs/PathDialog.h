#pragma once

#include "ValueDialog.h"
#include "browse/NetworkBrowse.h"
#include "framework/ModalSeam.h"

#include <functional>
#include <string>
#include <string_view>

class OemCodePage;
class PathBrowser;
class QLabel;
class QLineEdit;
class QPushButton;

// The dialogs that edit server paths: edit boxes with Browse buttons beside
// them, the volume-form test, and the refusals that keep the dialog open.
class PathDialog : public ValueDialog {
    Q_OBJECT

public:
    // "Invalid path!" goes out in a box without an icon; the seam offers none,
    // so this is the plainest it has.
    static constexpr ModalSeam::Icon kValidationIcon = ModalSeam::Icon::None;
    static constexpr std::string_view kInvalidPath = "Invalid path!";
    static constexpr std::string_view kValidationCaption = "Validation";
    static constexpr int kTypicalPathChars = 48;

protected:
    // Without a browser the Browse buttons do nothing.
    PathDialog(int templateId, int widthDlu, int heightDlu, QWidget* parent,
               const PathBrowser* browser);

    // An edit box tagged with its resource id.
    QLineEdit* addPathEdit(int id);
    // A small button with the browse picture that fills `field` with the
    // volume form of a pick; `showFiles` is asked anew at every click. A
    // local pick the policy leaves out is told in `note`.
    QPushButton* addBrowseButton(int id, QLineEdit* field, std::function<bool()> showFiles,
                                 LocalPolicy localPolicy, QLabel* note = nullptr);
    // The line under `field` that tells why a pick left it as it was; hidden
    // until then, named after the field's id.
    QLabel* addPickNote(const QLineEdit& field);

    // Refuses a path that would not read back from between its quotes;
    // true when it did.
    bool refuseUnquotable(std::string_view path, QWidget* focus);

    static std::string textOf(const QLineEdit& field);
    // The code page paths are stored in inside the file.
    static const OemCodePage& oem();

private:
    const PathBrowser* browser_;
};
