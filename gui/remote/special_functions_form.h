// TSpecialFunctionsFRM: factory reset, output resolution and on-screen language
// for every unit of the chain, each sent at once without a question.
#pragma once

#include <QDialog>

class QComboBox;
class QPushButton;

namespace mlc {
class ChainSettings;
struct MatchLists;
} // namespace mlc

namespace mlgui {

class TSpecialFunctionsFRM : public QDialog {
    Q_OBJECT
public:
    TSpecialFunctionsFRM(mlc::ChainSettings& chain, const mlc::MatchLists& lists, QWidget* parent = nullptr);

    void ResetBTNClick();
    void ResolutionBTNClick();
    void LanguageBTNClick();

private:
    mlc::ChainSettings& chain_;
    const mlc::MatchLists& lists_;
    QComboBox* resolution_ = nullptr;
    QComboBox* language_ = nullptr;
};

} // namespace mlgui
