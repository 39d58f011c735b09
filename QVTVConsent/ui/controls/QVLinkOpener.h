#pragma once
// How the screens open an address (a policy page, a package's privacy policy, an e-mail). A host
// that installed a URL handler on tvkit's Application gets the address, as always; without one,
// a sheet over the top screen shows the address as a QR code and as text, so the viewer can open
// it on a phone. Menu or its "Close" button closes it and focus goes back where it was.
//
//   qvtv::QVLinkOpener::open("https://example.com/privacy");
//   qvtv::QVLinkOpener::offer(textView.attributedText().links());

#include "tvkit/text/AttributedString.h"

#include <string>
#include <vector>

namespace qvtv {

class QVLinkOpener {
public:
    // The title of the list `offer` shows.
    static constexpr const char* listTitle = "Links";

    // Main thread only. False when the host's handler refused the address, or when there is
    // no screen to show the sheet on.
    static bool open(const std::string& url);

    // Main thread only. Offers the links of a text that form addresses: none does nothing, one
    // opens at once (a second press would only confirm it), several are listed ("text (address)"
    // per row, in reading order, with "Close" last) and the chosen one opens as `open` does.
    static void offer(const std::vector<tvkit::AttributedString::Link>& links);
};

} // namespace qvtv
