#pragma once
// The camera field as the chart's CCD frame draws and labels it, and the image scale.

namespace vsp {

// The frame's size along one side of the sensor, in arcminutes, as the chart labels it: twice
// the angle (atan) that the whole side, pixels x pixel size, subtends at the focal length.
double CcdFieldArcminutes(int sensorPixels, double pixelMicrons, int focalMm);

// The sky the side truly covers, in arcminutes: 2 atan(side / (2 x focal length)). The form
// shows this one; the chart's label above is about twice as large.
double CcdSkyFieldArcminutes(int sensorPixels, double pixelMicrons, int focalMm);

// Arcseconds of sky per pixel: 206.265 x pixel size (µm) / focal length (mm), the small-angle
// scale at the focal plane.
double CcdImageScale(double pixelMicrons, int focalMm);

}  // namespace vsp
