# Input latency of a drag from two logs: xmotion's send time of each motion event (first file) and glspy's swap
# log (second file). Every event draws exactly one frame, so the k-th event is answered by the k-th swap after the
# first SKIP swaps. Prints "FRAMES MEDIAN P95 LAST": the frames swapped after those SKIP, and in milliseconds the
# median and 95th percentile of the delays from an event to the swap of its frame, and that of the last event
# ("-" where a frame is missing).
#   awk -v skip=SKIP -f latency.awk EVENTS SWAPLOG
FILENAME == ARGV[1] { event[++events] = $1; next }
$1 == "swap" && ++swaps > skip { swap[++frames] = $2 }
END {
  n = events < frames ? events : frames
  last = frames >= events && events > 0 ? sprintf("%.1f", (swap[events] - event[events]) / 1e6) : "-"
  if (n == 0) { print frames + 0, "-", "-", last; exit }
  for (k = 1; k <= n; k++) lag[k] = (swap[k] - event[k]) / 1e6
  for (k = 2; k <= n; k++) {  # insertion sort: mawk has no asort
    v = lag[k]
    for (j = k - 1; j >= 1 && lag[j] > v; j--) lag[j + 1] = lag[j]
    lag[j + 1] = v
  }
  p95 = int(0.95 * n); if (p95 < 0.95 * n) p95++
  printf "%d %.1f %.1f %s\n", frames, lag[int((n + 1) / 2)], lag[p95], last
}
