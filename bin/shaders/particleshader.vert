#version 120

// Glowing point sprites: each particle is a point whose size shrinks with distance.

attribute vec4 vertPos;
attribute vec4 vertColor;

uniform mat4 mMatrix;
uniform mat4 vMatrix;
uniform mat4 pMatrix;
uniform float pointSize;

varying vec4 color;

void main() {
    vec4 eyePos = vMatrix * mMatrix * vertPos;
    color = vertColor;
    gl_PointSize = max(pointSize, 1.0) * 10.0 / max(-eyePos.z, 0.1);
    gl_Position = pMatrix * eyePos;
}
