#version 120

// A picture with its own transparency. Picture rows arrive top row first
// (t = 0 at the top) while the quad has t = 1 at the top, so t is flipped here.
// Most of every picture is fully transparent: those fragments are dropped
// rather than blended, as blending them would leave the window unchanged.

uniform sampler2D texture;

varying vec2 uv;

void main() {
    vec4 picture = texture2D(texture, vec2(uv.s, 1.0 - uv.t));
    if (picture.a == 0.0)
        discard;
    gl_FragColor = picture;
}
