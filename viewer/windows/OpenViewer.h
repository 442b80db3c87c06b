#pragma once
// The main window's ways into the Datalog Viewer (its Datalog menu): a
// datalog file the operator chooses, or the instrument's datalog, captured
// through the progress window (Cancel keeps the records read so far) and
// shown in the viewer, which can then save it as a capture file.

namespace OpenViewer {

void ViewDatalogFile();
void ViewInstrumentDatalog();

}  // namespace OpenViewer
