// The runner's view of other plugins, the flight plan and the aircraft.
#ifndef QOVIN_HOST_NAVIGATION_REPORT_H
#define QOVIN_HOST_NAVIGATION_REPORT_H

#include <string>

namespace qovinhost {

// From now on (until the stand-in is reset) every plugin but the host keeps
// the text of each message it gets: a Java plugin sends texts, terminated
// bytes, or nothing.
void listenToMessages();

// The plugins and the messages they got, the flight plan, the GPS destination
// and the aircraft models loaded.
std::string navigationReport();

}  // namespace qovinhost

#endif
