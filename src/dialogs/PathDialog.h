#pragma once

#include "ValueDialog.h"
#include "app/ModalSeam.h"
#include "netbrowse/NetworkBrowse.h"

#include <functional>
#include <string>
#include <string_view>

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

    // Whether a text names a place on a server volume: its first ':' stands
    // at position 3 or later, after a volume name of at least three
    // characters (SYS:), so a drive letter or a bare name fails; so does a
    // workstation path, one that begins with "/" or "~".
    static bool isVolumeForm(std::string_view text);

protected:
    using ValueDialog::ValueDialog;

    // An edit box tagged with its resource id.
    QLineEdit* addPathEdit(int id);
    // A small button with the browse picture that fills `field` with the
    // volume form of a pick; `showFiles` is asked anew at every click.
    QPushButton* addBrowseButton(int id, QLineEdit* field, std::function<bool()> showFiles,
                                 LocalPolicy localPolicy);

    // Shows why OK is refused and puts the focus on `focus`; the dialog
    // stays open.
    void refuse(std::string_view message, std::string_view caption, ModalSeam::Icon icon,
                QWidget* focus);
    // Refuses a path that would not read back from between its quotes;
    // true when it did.
    bool refuseUnquotable(std::string_view path, QWidget* focus);

    static std::string textOf(const QLineEdit& field);
};
