// The preview box of the open and save dialogs: where the picture goes and the hands of the
// progress clock.
#pragma once

struct TPreviewRect {
  int X = 0, Y = 0, W = 0, H = 0;
};

// The picture's place in a box of boxW x boxH: fitted into the box less 4 pixels keeping its
// aspect ratio when it is larger (truncating, never below 1), centred.
TPreviewRect PreviewBoxImageRect(int width, int height, int boxW, int boxH);

// The hands of the 15 x 15 progress clock from its centre (7, 7): minute angle
// percent x pi x 0.02, hour angle ((step - 1) x 2 pi + minute angle) / 12.
struct TClockHands {
  int HourX = 7, HourY = 7, MinuteX = 7, MinuteY = 7;
};
TClockHands ProgressClockHands(int step, int percent);
