#include "linker/link_report.h"

#include <string>

namespace linker {
namespace {

// The 103rd report ends the link.
constexpr unsigned kErrorLimit = 102;

std::string_view text_of(LinkMessage message) {
    switch (message) {
        case LinkMessage::UnresolvedSymbol: return "%s\t: error LNK2001: unresolved external symbol %s\r\n";
        case LinkMessage::RedefinedSymbol: return "%s\t: error LNK2002: redefine symbol %s\r\n";
        case LinkMessage::OutOfMemory: return "fatal error:Out of memory\r\n";
        case LinkMessage::CannotOpen: return "%s\t: error LNK2006:%s\r\n";
        case LinkMessage::InvalidInput: return "%s\t: error LNK2007:%s\r\n";
        case LinkMessage::WriteFailed: return "%s\t: error LNK2008:%s\r\n";
        case LinkMessage::TooManyErrors: return " error LNK2013: Too Many g_wNumOfErrors...\r\n";
        case LinkMessage::NotALibrary: return "%s\t: error LNK2011:FileStyle is wrong!\r\n";
        case LinkMessage::CodeOversize: return " error LNK2015: Code range oversize\r\n";
        case LinkMessage::MissingReset: return " error LNK2017: miss funtion reset(...) \r\n";
        case LinkMessage::MissingFarcall: return " error LNK2017: miss funtion farcall(...) \r\n";
        case LinkMessage::NullSymbol: return "%s\t: error LNK2018: Null symbol \r\n";
        case LinkMessage::SectionSymbolPulled: return " error LNK2020: Can not Reloc section or segment\r\n";
        case LinkMessage::DataOversize: return " error LNK2026: The total length of data is ovesize(0x2000)";
        case LinkMessage::ExportOverflow:
            return " error LNK2027: The total number of export process is ovesize(0xFF) in one bank, please add bank";
        case LinkMessage::InternalFarCall: return " error LNK2029: Interal relocate in different bank";
        case LinkMessage::NeedLibrary: return " error LNK2030: Need library file";
        case LinkMessage::CrossBankReference: return " error LNK2031: Symbol '%s' relocate cross bank invalid";
    }
    return {};
}

bool lets_link_go_on(LinkMessage message) {
    return message == LinkMessage::UnresolvedSymbol || message == LinkMessage::RedefinedSymbol;
}

}  // namespace

void LinkReporter::report(LinkMessage message, std::string_view first, std::string_view second) {
    messages_.write(fill_texts(text_of(message), first, second));
    ++errors_;
    if (errors_ > kErrorLimit) {
        messages_.write(text_of(LinkMessage::TooManyErrors));
        ++errors_;
        throw LinkAbort{kLinkFailed};
    }
    if (!lets_link_go_on(message)) throw LinkAbort{kLinkAborted};
}

void LinkReporter::summary(std::string_view output_base) {
    messages_.write("\r\n" + std::string(output_base) + ".bin - " + std::to_string(errors_) +
                    " error(s), 0 warning(s)\r\n");
    messages_.close();
}

}  // namespace linker
