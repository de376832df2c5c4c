// For the start-up benchmark: when MAPWRIGHT_FIRST_PAINT_PROBE is set, the editor prints, once the
// canvas has painted for the first time, the wall-clock time and its peak memory, then ends.
#pragma once

// Installs the probe when the variable asks for it.
void InstallFirstPaintProbeIfAsked();
