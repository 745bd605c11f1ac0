#include "remote/special_functions_form.h"

#include "common/dialog_parts.h"
#include "sync/chain_settings.h"
#include "wall/match_lists.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mlgui {
namespace {

constexpr const char* kResetText =
    "This option restores factory settings for all devices connected to the serial chain specified in the "
    "preferences window. Every setting and every stored memory of the devices is lost.";
constexpr const char* kResolutionText =
    "This option will change the output resolution for all devices connected to the serial chain specified "
    "in "
    "the preferences window. Warning: a resolution your monitors do not support may damage them.";
constexpr const char* kLanguageText =
    "To change the language spoken by the Marlune's OSD, select one from the list and click on the SET "
    "button. "
    "The devices then show their settings menu in the new language as a confirmation.";

QComboBox* listOf(const mlc::MatchListPair& list, const QString& name, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    for (const std::string& text : list.Names)
        box->addItem(qt(text));
    if (box->count() > 0)
        box->setCurrentIndex(0);
    return box;
}

// One section: bold heading, explanation, then the control (if any) and the button on a row.
void addSection(QVBoxLayout* layout, const QString& title, const QString& explanation, QWidget* control,
                QPushButton* button) {
    QLabel* head = heading(title, nullptr);
    auto* text = new QLabel(explanation);
    text->setWordWrap(true);
    auto* row = new QHBoxLayout;
    if (control) {
        row->addWidget(control, 1);
        head->setBuddy(control);
    } else {
        row->addStretch(1);
    }
    row->addWidget(button);
    layout->addWidget(head);
    layout->addWidget(text);
    layout->addLayout(row);
}

QFrame* separator() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

TSpecialFunctionsFRM::TSpecialFunctionsFRM(mlc::ChainSettings& chain, const mlc::MatchLists& lists,
                                           QWidget* parent)
    : QDialog(parent), chain_(chain), lists_(lists) {
    setObjectName("SpecialFunctionsFRM");
    setWindowTitle(dialogCaption("Special functions"));

    auto* reset = new QPushButton("Factory &reset", this);
    reset->setObjectName("ResetBTN");
    resolution_ = listOf(lists.OutputDisplays, "Resolution", this);
    resolution_->setAccessibleName("Output resolution");
    auto* change = new QPushButton("C&hange", this);
    change->setObjectName("ResolutionBTN");
    change->setEnabled(resolution_->count() > 0);
    language_ = listOf(lists.Language, "Language", this);
    language_->setAccessibleName("OSD language");
    auto* set = new QPushButton("&Set", this);
    set->setObjectName("LanguageBTN");
    set->setEnabled(language_->count() > 0);
    auto* closeButton = new QPushButton("&Close", this);
    closeButton->setObjectName("CloseBTN");

    auto* layout = new QVBoxLayout(this);
    addSection(layout, "Factory reset:", kResetText, nullptr, reset);
    layout->addWidget(separator());
    addSection(layout, "Output resolution:", kResolutionText, resolution_, change);
    layout->addWidget(separator());
    addSection(layout, "OSD lanuguage:", kLanguageText, language_, set);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(closeButton, QDialogButtonBox::RejectRole);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(420);
    // Nothing here asks before it goes to the whole chain: the dialog opens on
    // Close and Enter closes it, so a stray key never resets the units.
    closeButton->setDefault(true);
    closeButton->setFocus();

    connect(reset, &QPushButton::clicked, this, &TSpecialFunctionsFRM::ResetBTNClick);
    connect(change, &QPushButton::clicked, this, &TSpecialFunctionsFRM::ResolutionBTNClick);
    connect(set, &QPushButton::clicked, this, &TSpecialFunctionsFRM::LanguageBTNClick);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
}

void TSpecialFunctionsFRM::ResetBTNClick() {
    chain_.FactoryReset();
}

void TSpecialFunctionsFRM::ResolutionBTNClick() {
    if (const std::string* id = lists_.OutputDisplays.idAt(resolution_->currentIndex()))
        chain_.SetOutputResolution(*id);
}

void TSpecialFunctionsFRM::LanguageBTNClick() {
    if (const std::string* id = lists_.Language.idAt(language_->currentIndex()))
        chain_.SetLanguage(*id);
}

} // namespace mlgui
