// Sizes shared by the brick breaker and the picture generator that draws its ball.
#pragma once

// The ball picture is kBallSize x kBallSize pixels; the ball is the disc inscribed in it.
constexpr int kBallSize = 18;
