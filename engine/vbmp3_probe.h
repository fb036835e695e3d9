/*
 * Output counters for Hearvex's own tests and benchmarks; not part of the
 * engine's interface (vbmp3.h) and not for the program.
 */
#ifndef VBMP3_PROBE_H
#define VBMP3_PROBE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct Vbmp3Probe {
    int64_t framesOut;   /* frames handed to the sound device, silence included */
    int64_t underruns;   /* callbacks that ran short of audio while playing */
    int64_t heardAtNs;   /* CLOCK_MONOTONIC time the heard generation first reached the device */
    uint32_t generation; /* bumped by every play, seek and stop */
    uint32_t heardGeneration; /* the last generation whose audio reached the device */
} Vbmp3Probe;

/* 1 and *probe filled while the engine runs, else 0. */
int32_t vbmp3probe_read(Vbmp3Probe* probe);

#ifdef __cplusplus
}
#endif

#endif /* VBMP3_PROBE_H */
