#pragma once
// Configuration files and the connected ECU: the save of everything the ECU
// holds, the load of a file into the ECU, the single-section loads and the
// single-block re-reads the executor runs.
#include <cstdint>
#include <string>

#include "link/ModBlckVettori.h"

namespace ModMain {

// Reads the whole ECU under link mode 2 (firmware record, blocks, maps,
// threshold table, OBD-map tables, vectors) and only then writes the file
// (safely: a failed write leaves a file of that name as it was). False at the
// first failed or refused read, with no file written and the link left in
// mode 2, or when the file cannot be written.
bool SalvaConfigurazioneDaEcu(const std::string& percorso);
// Writes the file's sections into the ECU for the request in RichiestaPendente
// (9 parameters, 17 maps, 53 compensation tables, 18 everything with the
// table resets), then stores; with nothing in the request's scope only the
// closing steps run. The file is read and checked before any ECU traffic: a
// file that cannot be read, is cut inside a section or lacks "[BLK_3]" is
// refused (false, nothing sent, no switchover), and so is one where a frame
// the request sends is not the reply its section holds (start bytes, length
// byte, command, status, data length, XOR; "[BLK_6]" from 94 data bytes), or
// where the request sends the vectors or a map page and the file holds only
// some of the four vector parts or of the page's five chunks. Sections the
// request does not send are not checked as frames, but for "[BLK_DINST]" kept
// in memory as block 18's reply when the ECU lacks that block. Name and note
// change in memory only after a good switchover.
bool CaricaConfigurazioneInEcu(const std::string& percorso);
// One pressure table ("[COM_PGASX]" / "[COM_PBENX]", first occurrence) from the
// factory file that fits the ECU, written and its block read back; a frame
// that is not the block's reply sends nothing.
bool ScriviComPGasX();
bool ScriviComPBenX();
// FrameComPGasX := the CMD_WRITE_BLK9 frame of a copy of block 9 whose last value is v.
void PreparaScritturaComPGasX(int32_t v);
// Block 16 (block 4) read under link mode 2, stored and decoded; the mode is
// restored after a good read (a failed read leaves mode 2).
bool LeggiBloccoBlk8();
bool LeggiErroriEcu();
// The two index vectors of a file into the arrays; when the file cannot be
// read or any of the four parts is missing or of the wrong length, dictionary
// entry 360, no change and false.
bool CaricaVettoriRpmTinj(ModBlck::VettoreGiri& rpm, ModBlck::VettoreTempi& tinj, const std::string& percorso);
// Writes the four vector parts of a file (all four needed, each the whole
// reply frame of its section, else false and nothing sent), reads the vectors
// back into memory and rebuilds the working axes. True when every write and
// the read-back succeeded.
bool ScriviVettoriRpmTinj(const std::string& percorso);

} // namespace ModMain
