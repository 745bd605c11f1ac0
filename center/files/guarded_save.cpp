#include "files/guarded_save.h"

#include "files/atomic_file.h"

namespace mlc {

bool saveWithOverwriteQuestion(Operator& op, const std::string& path, std::span<const std::uint8_t> bytes) {
    if (fileExists(path)) {
        if (op.ask(QuestionIcon::Question, Buttons::YesNo, kOverwriteQuestion) != Answer::Yes)
            return false;
        // The old file is not deleted first: the rename at the end of the write
        // replaces it, so a failed write keeps it.
        if (!canReplaceFile(path)) {
            op.showMessage(MessageKind::Error, kCannotReplaceMessage);
            return false;
        }
    }
    return writeFileAtomically(path, bytes);
}

} // namespace mlc
