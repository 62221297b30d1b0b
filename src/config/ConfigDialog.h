#pragma once
// CConfigDialog: the profile pane, a view over the main window. It shows the
// profile list (ProfileListModel) with its in-place rename, the New and
// Delete buttons, the context menu (Delete, Edit, Copy, Load, Save) and the
// close button. The list rules are the model's; what the program does with
// a request (import, export, making a position current) is its owner's,
// told by signals.
#include "config/ProfileList.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

namespace lumeno {

class CBitmapBtn;
class CListBoxPro;
class CLBEditorWnd;
class SkinImages;
class UiText;

// Where the pane sits over the main window: the left column it covers.
inline constexpr QPoint kProfilePanePosition{0, 3};
inline constexpr QSize kProfilePaneSize{263, 600};
// Hit areas in the pane's own pixels (left, top, right, bottom).
inline constexpr QRect kProfilePaneCloseRect{QPoint(240, 8), QPoint(255 - 1, 23 - 1)};
inline constexpr QRect kProfilePaneNewRect{QPoint(0, 575), QPoint(100 - 1, 598 - 1)};
inline constexpr QRect kProfilePaneDeleteRect{QPoint(110, 575), QPoint(230 - 1, 598 - 1)};
inline constexpr QRect kProfilePaneListRect{QPoint(0, 31), QPoint(263 - 1, 575 - 1)};
inline constexpr int kProfileListId = 144;

// The context menu's commands.
enum class ProfileMenuCommand : int { Delete = 32781, Edit = 32782, Copy = 32783, Load = 32784, Save = 32785 };

class CConfigDialog : public QWidget {
    Q_OBJECT
public:
    CConfigDialog(const SkinImages& skin, const UiText& text, std::string languageCode, QWidget* parent);
    ~CConfigDialog() override;

    // The list to show; the entry of the current profile is selected.
    void SetModel(ProfileListModel model);
    const ProfileListModel& Model() const { return *model_; }

    // The list went to disk before an import (see ProfileListModel::Committed),
    // and the import into position succeeded.
    void ListWritten();
    void Imported(int position);

    // Shows a message with a caption; replaceable for tests. The default is
    // the skinned message box.
    using MessageHandler = std::function<void(const QString& caption, const QString& message)>;
    void SetMessageHandler(MessageHandler handler) { showMessage_ = std::move(handler); }

    // --- Commands, as the controls give them ---
    void OnNew();
    void OnDelete();
    void OnMenuCommand(ProfileMenuCommand command);
    void OnItemClicked(int row);
    // The close button: the close request, then the owner closes the pane.
    void OnClose();

    // --- For tests ---
    CListBoxPro* List() const { return list_; }
    CBitmapBtn* NewButton() const { return new_; }
    CBitmapBtn* DeleteButton() const { return delete_; }
    CBitmapBtn* CloseButton() const { return close_; }
    CLBEditorWnd* Editor() const;
    // The items of the context menu, as shown.
    std::vector<std::pair<ProfileMenuCommand, QString>> MenuItems() const;

signals:
    void closeRequested(const lumeno::ProfileListModel::CloseRequest& request);
    // Load: the list as it stands goes to disk first, then the file is read
    // into position.
    void importRequested(int position, const lumeno::ProfileListCommit& commit);
    void exportRequested(int position);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void Fill();
    void StartRename(int row);
    void OnEditEnded(int row);
    void OpenMenu(const QPoint& globalPosition);
    QString Text(int id) const;

    const SkinImages& skin_;
    const UiText& text_;
    std::string languageCode_;
    std::optional<ProfileListModel> model_;
    QImage background_;
    CListBoxPro* list_ = nullptr;
    CBitmapBtn* new_ = nullptr;
    CBitmapBtn* delete_ = nullptr;
    CBitmapBtn* close_ = nullptr;
    QPointer<CLBEditorWnd> editor_;
    MessageHandler showMessage_;
};

// Enter, Space, Escape and F1 never reach the pane's controls.
bool ProfilePaneSwallowsKey(int qtKey);

} // namespace lumeno
