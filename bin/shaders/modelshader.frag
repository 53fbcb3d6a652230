#version 120

// The model's colour under the light that the vertex program worked out,
// with a soft shadow test for the models that receive shadows (the arena,
// the runes and their fountains).
//
// The software renderer runs every instruction here for every fragment,
// whatever the branches: a test on a uniform, or one that no fragment
// passes, skips nothing. So this is kept to what only a pixel can do.

uniform sampler2D texture;
// The shadow map compares depths itself: each read tests the four texels
// around the point against its depth and blends the results bilinearly.
uniform sampler2DShadow shadowMap;
uniform int useTexture;
uniform int hasShadow;
uniform vec3 light_ambient;

varying vec4 surface;
varying vec4 shadowCoord;
varying vec3 diffuseLight;
varying vec3 specularLight;
varying vec3 rimLight;

const float SHADOW_MAP_SIZE = 2048.0;
const float EXPOSURE = 3.0;

// Fraction of the light that reaches this point, 0 (shadowed) to 1 (lit).
// Two compared reads, three quarters of a texel either side of the point,
// give a shadow's edge a smooth ramp over about three texels rather than a
// step from texel to texel. Outside the map the clamped edge reads as lit,
// and beyond the light's far plane nothing casts a shadow.
float lightVisibility() {
    vec3 coord = shadowCoord.xyz / shadowCoord.w;
    if (hasShadow != 1 || shadowCoord.w <= 0.0 || coord.z >= 1.0)
        return 1.0;
    vec2 offset = vec2(0.75 / SHADOW_MAP_SIZE);
    return 0.5 * (shadow2D(shadowMap, vec3(coord.xy - offset, coord.z)).r +
                  shadow2D(shadowMap, vec3(coord.xy + offset, coord.z)).r);
}

void main() {
    vec4 base = (useTexture == 1) ? texture2D(texture, surface.xy) : surface;
    float visibility = lightVisibility();
    vec3 lit = base.rgb * (light_ambient * EXPOSURE + visibility * diffuseLight) +
               visibility * specularLight + rimLight;
    gl_FragColor = vec4(lit, base.a);
}
