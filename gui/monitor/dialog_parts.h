// Pieces the monitor settings dialog and the quick menu share.
#pragma once

#include "router/video_router.h"
#include "wall/match_lists.h"

#include <QImage>
#include <QString>

#include <functional>

class QComboBox;
class QWidget;

namespace mlgui {

// The demo picture of an input source (a null picture when there is none).
using PictureProvider = std::function<QImage(int input)>;

// "Marlune Control Center - " followed by the dialog's name.
QString dialogCaption(const char* name);
// A label's text without its mnemonic marker and surrounding blanks, for accessible names.
QString plainText(const char* label);

// A list control for long lists: its width does not depend on measuring every item.
QComboBox* makeList(const QString& name, const QString& accessibleName, QWidget* parent);
// Replaces the items with the list's display texts.
void fillList(QComboBox* box, const mlc::MatchListPair& list);
// The router inputs when the router is active, with the stored input selected (none
// when the router lacks it); otherwise empty and disabled.
void fillRouterList(QComboBox* box, mlc::VideoRouter& router, bool active, int stored);

// Sets a dialog's loading flag for a scope and clears it on every way out.
class LoadingScope {
public:
    explicit LoadingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~LoadingScope() { flag_ = false; }
    LoadingScope(const LoadingScope&) = delete;
    LoadingScope& operator=(const LoadingScope&) = delete;

private:
    bool& flag_;
};

} // namespace mlgui
