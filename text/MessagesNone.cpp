// MessagesNone.cpp - messages on Windows stay English (see text/Messages.h): the wizard's dialog
// speaks Japanese through its resources, and cwstool.exe has no catalogues.
//
// Text library, the Windows build's.
#include "text/Messages.h"

namespace messages {

void initialise(const char*) {}

const char* translate(const char* english) { return english; }

const char* translatePlural(const char* one, const char* many, unsigned long count) { return count == 1 ? one : many; }

}  // namespace messages
