#pragma once
// What the workspace manager asks of the application around it: questions
// and messages for the user, the open documents, and the bank a new file goes
// into. The application implements it with message boxes, its document
// template and the bank selection dialog; tests answer from a script.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ide {

class WorkspaceHost {
public:
    virtual ~WorkspaceHost() = default;

    // An OK/Cancel question: true for OK.
    virtual bool AskOkCancel(std::string_view text) = 0;
    // A Yes/No question: true for Yes.
    virtual bool AskYesNo(std::string_view text) = 0;
    virtual void ShowMessage(std::string_view text) = 0;

    // Saves the modified documents and gives the full paths of every open
    // document, in the document template's order.
    virtual std::vector<std::string> SaveAndListDocuments() = 0;
    // Opens a document for the workspace; false when it could not be opened.
    virtual bool OpenDocument(std::string_view path) = 0;
    // Closes the documents; one that is still modified (its save failed)
    // may stay open, so that its text is not lost.
    virtual void CloseAllDocuments() = 0;

    // The bank selection dialog over these names: the chosen name, or nothing
    // when the user cancels.
    virtual std::optional<std::string> SelectBank(const std::vector<std::string>& names) = 0;

    // The workspace tab of the workspace bar appears and disappears.
    virtual void ShowWorkspaceTab(bool shown) = 0;
};

// A host that answers every question with yes / OK, has no documents and
// picks the first bank: for tools that drive the model without a user.
class SilentWorkspaceHost : public WorkspaceHost {
public:
    bool AskOkCancel(std::string_view) override { return true; }
    bool AskYesNo(std::string_view) override { return true; }
    void ShowMessage(std::string_view) override {}
    std::vector<std::string> SaveAndListDocuments() override { return {}; }
    bool OpenDocument(std::string_view) override { return true; }
    void CloseAllDocuments() override {}
    std::optional<std::string> SelectBank(const std::vector<std::string>& names) override {
        if (names.empty()) return std::nullopt;
        return names.front();
    }
    void ShowWorkspaceTab(bool) override {}
};

}  // namespace ide
