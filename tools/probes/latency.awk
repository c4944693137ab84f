# Input latency of a drag from two logs: xmotion's send time of each motion event (first file) and glspy's swap
# log (second file). glspy counts the drag motion events the viewer has taken by each swap, so event k is answered
# by the first swap after the first SKIP swaps that counts k more than the SKIP-th did: the frame of the event
# itself, or of a later one that already shows it. Prints "FRAMES MEDIAN P95 LAST FRAME": the frames swapped after
# those SKIP, and in milliseconds the median and 95th percentile of the delays from an event to the swap that
# answers it, that of the last event ("-" where no swap answers it), and the median time a frame took to draw ("-"
# where glspy timed none).
#   awk -v skip=SKIP -f latency.awk EVENTS SWAPLOG
function median(v, n,    k, j, x) {  # sorts v[1..n] in place (insertion sort: mawk has no asort)
  for (k = 2; k <= n; k++) {
    x = v[k]
    for (j = k - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]
    v[j + 1] = x
  }
  return v[int((n + 1) / 2)]
}
FILENAME == ARGV[1] { event[++events] = $1; next }
$1 != "swap" { next }
++swaps == skip { base = $6 }
swaps > skip {
  frames++
  if ($10 > 0) took[++timed] = $10 / 1e6
  for (; answered < events && $6 - base > answered; answered++) lag[answered + 1] = ($2 - event[answered + 1]) / 1e6
}
END {
  n = answered
  last = n == events && events > 0 ? sprintf("%.1f", lag[events]) : "-"
  frame = timed ? sprintf("%.1f", median(took, timed)) : "-"
  if (n == 0) { print frames + 0, "-", "-", last, frame; exit }
  median(lag, n)
  p95 = int(0.95 * n); if (p95 < 0.95 * n) p95++
  printf "%d %.1f %.1f %s %s\n", frames, lag[int((n + 1) / 2)], lag[p95], last, frame
}
