/*
 * Output counters and test hooks for Hearvex's own tests and benchmarks; not
 * part of the engine's interface (vbmp3.h) and not for the program.
 */
#ifndef VBMP3_PROBE_H
#define VBMP3_PROBE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct Vbmp3Probe {
    int64_t framesOut;   /* frames handed to the output, silence included */
    int64_t underruns;   /* callbacks that ran short of audio while playing */
    int64_t heardAtNs;   /* CLOCK_MONOTONIC time the heard generation first reached the output */
    uint32_t generation; /* bumped by every play, seek and stop */
    uint32_t heardGeneration; /* the last generation whose audio reached the output */
    int64_t aheadFrames; /* track frames decoded ahead of the position heard (current generation) */
    int64_t audioFramesOut; /* frames of sound handed to the output, silence not counted */
} Vbmp3Probe;

/* 1 and *probe filled while the engine runs, else 0. */
int32_t vbmp3probe_read(Vbmp3Probe* probe);

/* From the next vbmp3_open, a silent stand-in takes the sound device's place
 * (on != 0); it refuses to open while refuses != 0. */
int32_t vbmp3probe_fakeDevice(int32_t on, int32_t refuses);
/* The stand-in device reports itself lost (as if unplugged) and pulls no more. */
int32_t vbmp3probe_loseDevice(void);
/* The null output refuses to open while on != 0: no output at all. */
int32_t vbmp3probe_nullRefuses(int32_t on);
/* From the next opening of an output, the stand-in device and the null output
 * consume sound only when the test pulls it (on != 0). */
int32_t vbmp3probe_manualClock(int32_t on);
/* Manual clock: renders frameCount frames from the open output into stereo
 * (interleaved, may be null). Returns the frames rendered; 0 if none is open. */
int32_t vbmp3probe_pull(float* stereo, int32_t frameCount);

#ifdef __cplusplus
}
#endif

#endif /* VBMP3_PROBE_H */
