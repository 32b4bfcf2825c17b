#pragma once
// The lambda-emulation block writer: block 11 read, the staged edits
// (ModBlck::ModificheBlocco11) applied, the whole block written with
// CMD_WRITE_BLK11 and read back, all under link mode 2.
namespace ModEmula {

// True when the block was written, read back and the link mode restored; the
// list is then emptied. On a failure the list is kept, the link mode is
// restored, and when the block was not read back block 11 keeps the values
// the ECU reported before the edits.
bool ScriviEmulazione();

} // namespace ModEmula
